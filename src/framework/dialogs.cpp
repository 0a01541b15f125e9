#include "framework/dialogs.h"

#include "framework/application.h"

namespace vantrel {

bool TOpenDialog::Execute() {
  TApplication* application = Application();
  if (!application || !application->Services().dialogs) {
    return false;
  }
  const THandle owner = application->MainForm() ? application->MainForm()->Handle() : application->Handle();
  std::string chosen = FileName;
  if (!application->Services().dialogs->GetOpenFileNameA(owner, chosen)) {
    return false;
  }
  FileName = chosen;
  return true;
}

}  // namespace vantrel
