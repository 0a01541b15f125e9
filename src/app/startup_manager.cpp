// The startup manager: the programs Windows starts at log-on, their backup, and this program's own entry.
#include <optional>

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

TRegistry TfrmVantrel::machineRegistry() const {
  // A 32-bit program on 64-bit Windows would otherwise see only the 32-bit programs' Run key.
  return TRegistry(*services_.registry, platform::kHKeyLocalMachine,
                   services_.process->IsWow64Process() ? platform::kKeyWow64_64Key : 0);
}

void TfrmVantrel::TabSheet3Show(TObject*) {
  TRegistry registry = machineRegistry();
  // A user who may not create the keys still sees what the existing ones hold; the refusal is told after.
  std::optional<ERegistryException> refused;
  for (const char* key : {kRunKey, kBackupKey}) {
    if (!registry.KeyExists(key)) {
      try {
        registry.CreateKey(key);
      } catch (const ERegistryException& error) {
        if (!refused) {
          refused = error;
        }
      }
    }
  }
  FillList(registry, kRunKey, *ListView1);
  FillList(registry, kBackupKey, *ListView2);
  ResolveDuplicates(registry, *ListView2, *ListView1, kRunKey);
  if (refused) {
    throw *refused;
  }
  for (int i = 0; i < ListView1->RowCount(); ++i) {
    if (preselected(ListView1->Rows()[i].Caption)) {
      ListView1->SetSelected(i, true);
      ListView1->MakeVisible(i);
      ListView1->PostSetFocus();
    }
  }
}

void TfrmVantrel::SpeedButton1Click(TObject*) {
  TRegistry registry = machineRegistry();
  MoveSelectedEntries(registry, *ListView1, kRunKey, *ListView2, kBackupKey);
}

void TfrmVantrel::SpeedButton2Click(TObject*) {
  TRegistry registry = machineRegistry();
  MoveSelectedEntries(registry, *ListView2, kBackupKey, *ListView1, kRunKey);
}

void TfrmVantrel::SpeedButton3Click(TObject*) {
  if (!OpenDialog1->Execute()) {
    return;
  }
  const std::string path = OpenDialog1->FileName;
  const std::string name = ExtractFileName(path);
  TListRow row;
  row.Caption = name;
  row.SubItems = {path};
  row.ImageIndex = 0;
  ListView1->AddRow(row);
  TRegistry registry = machineRegistry();
  registry.OpenKey(kRunKey, true);
  // A value of that name is someone's entry already: it stays as it is.
  if (!registry.ValueExists(name)) {
    registry.WriteString(name, path);
  }
  registry.CloseKey();
}

void TfrmVantrel::SpeedButton4Click(TObject*) {
  TRegistry registry = machineRegistry();
  DeleteSelectedEntries(registry, *ListView1, kRunKey);
}

void TfrmVantrel::SpeedButton5Click(TObject*) {
  TRegistry registry = machineRegistry();
  DeleteSelectedEntries(registry, *ListView2, kBackupKey);
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
