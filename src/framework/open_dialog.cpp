#include "framework/open_dialog.h"

#include "framework/application.h"
#include "platform/unicode.h"

namespace vantrel {

bool TOpenDialog::Execute() {
  TApplication* application = Application();
  if (!application || !application->Services().dialogs) {
    return false;
  }
  const THandle owner = application->MainForm() ? application->MainForm()->Handle() : application->Handle();
  std::u16string chosen = Utf8ToUtf16(FileName);
  if (!application->Services().dialogs->GetOpenFileNameW(owner, chosen)) {
    return false;
  }
  FileName = Utf16ToUtf8(chosen);
  return true;
}

}  // namespace vantrel
