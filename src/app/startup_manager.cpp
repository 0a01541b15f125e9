// The startup manager: the programs Windows starts at log-on, their backup, and this program's own entry.
#include "app/main_window.h"
#include "app/run_key.h"
#include "framework/registry.h"

namespace vantrel {

void TfrmVantrel::TabSheet3Show(TObject*) {}

void TfrmVantrel::SpeedButton1Click(TObject*) {}

void TfrmVantrel::SpeedButton2Click(TObject*) {}

void TfrmVantrel::SpeedButton3Click(TObject*) {}

void TfrmVantrel::SpeedButton4Click(TObject*) {}

void TfrmVantrel::SpeedButton5Click(TObject*) {}

void TfrmVantrel::CheckBox2Click(TObject*) {
  TRegistry registry(*services_.registry, platform::kHKeyLocalMachine);
  registry.OpenKey(kRunKey, true);
  if (CheckBox2->Checked()) {
    // An entry that is there already is the user's or an installer's: it stays as it is.
    if (!registry.ValueExists(kAutoStartValue)) {
      registry.WriteString(kAutoStartValue, AutoStartCommand());
    }
  } else if (registry.ValueExists(kAutoStartValue)) {
    registry.DeleteValue(kAutoStartValue);
  }
  registry.CloseKey();
}

std::string TfrmVantrel::AutoStartCommand() const {
  const std::string path = services_.process->GetModuleFileNameA();
  return path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
}

}  // namespace vantrel
