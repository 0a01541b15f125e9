// The startup manager: the programs Windows starts at log-on, their backup, and this program's own entry.
#include "app/main_window.h"
#include "app/run_key.h"
#include "app/startup_entries.h"
#include "framework/sysutils.h"

namespace vantrel {

namespace {

// Entries of programs whose log-on start the user is most likely looking for.
bool preselected(const std::string& name) {
  const std::string trimmed = Trim(name);
  return trimmed == "TkBellExe" || trimmed == "Tweak UI";
}

}  // namespace

std::vector<RunScope> TfrmVantrel::runScopes() const {
  return RunScopes(!services_.process->GetSystemWow64DirectoryA().empty(),
                   services_.process->IsWow64Process());
}

TRegistry TfrmVantrel::machineRegistry() const {
  return runScopes().front().Keys(*services_.registry);
}

void TfrmVantrel::TabSheet3Show(TObject*) {
  FillLists(*services_.registry, runScopes(), *ListView1, *ListView2);
  for (int i = 0; i < ListView1->RowCount(); ++i) {
    if (preselected(ListView1->Rows()[i].Caption)) {
      ListView1->SetSelected(i, true);
      ListView1->MakeVisible(i);
      ListView1->PostSetFocus();
    }
  }
}

void TfrmVantrel::SpeedButton1Click(TObject*) {
  MoveSelectedEntries(*services_.registry, runScopes(), *ListView1, kRunKey, *ListView2, kBackupKey);
}

void TfrmVantrel::SpeedButton2Click(TObject*) {
  MoveSelectedEntries(*services_.registry, runScopes(), *ListView2, kBackupKey, *ListView1, kRunKey);
}

void TfrmVantrel::SpeedButton3Click(TObject*) {
  if (!OpenDialog1->Execute()) {
    return;
  }
  const std::vector<RunScope> scopes = runScopes();
  AddEntry(*services_.registry, scopes.front(), scopes.back(), OpenDialog1->FileName, *ListView1);
}

void TfrmVantrel::SpeedButton4Click(TObject*) {
  DeleteSelectedEntries(*services_.registry, runScopes(), *ListView1, kRunKey);
}

void TfrmVantrel::SpeedButton5Click(TObject*) {
  DeleteSelectedEntries(*services_.registry, runScopes(), *ListView2, kBackupKey);
}

void TfrmVantrel::CheckBox2Click(TObject*) {
  TRegistry registry = machineRegistry();
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
