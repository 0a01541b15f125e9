// The startup manager: the programs Windows starts at log-on and their backup.
#include <functional>

#include "app/main_window.h"
#include "framework/sysutils.h"
#include "platform/unicode.h"
#include "startup/publisher_column.h"
#include "startup/refusals.h"
#include "startup/run_key.h"
#include "startup/startup_entries.h"
#include "startup/startup_folders.h"
#include "startup/visible_text.h"

namespace vantrel {

namespace {

constexpr char kExplorerFailed[] = "Explorer could not be started to show ";
constexpr char kOpenFileLocation[] = "&Open file location";
constexpr char kDelete[] = "De&lete";

// One box for an action, however many of its entries could not be done.
void tell(const TRefusals& refusals) {
  if (!refusals.Empty()) {
    throw Exception(refusals.Text());
  }
}

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

std::optional<StatusColumn> TfrmVantrel::statusColumn() const {
  if (SubItemOf(*ListView1, kStatusColumn) < 0) {
    return std::nullopt;
  }
  return StatusColumn{*services_.registry, services_.process->IsWow64Process()};
}

void TfrmVantrel::buildStatusColumn() {
  platform::OsVersionInfo version;
  // Windows keeps its own switch of each entry from Windows 8 (6.2) on.
  if (!services_.version->GetVersionExA(version) || !platform::AtLeast(version, 6, 2)) {
    return;
  }
  std::vector<TListColumn> columns = ListView1->Columns();
  columns.insert(columns.begin() + 2, {kStatusColumn, 64});
  ListView1->SetColumns(columns);
}

void TfrmVantrel::buildRowMenus() {
  const auto item = [this](TPopupMenu* menu, const char* name, const char* caption,
                           std::function<void()> click) {
    auto* added = new TMenuItem(this, menu, caption);
    added->SetName(name);
    if (click) {
      added->OnClick = [click](TObject*) { click(); };
    }
    return added;
  };
  LiveMenu = new TPopupMenu(this);
  LiveMenu->SetName("LiveMenu");
  EnableAtLogOn = item(LiveMenu, "EnableAtLogOn", "&Enable at log-on", [this] { EnableAtLogOnClick(this); });
  DisableAtLogOn =
      item(LiveMenu, "DisableAtLogOn", "&Disable at log-on", [this] { DisableAtLogOnClick(this); });
  OpenLiveLocation =
      item(LiveMenu, "OpenLiveLocation", kOpenFileLocation, [this] { openFileLocation(*ListView1); });
  LiveSeparator = item(LiveMenu, "LiveSeparator", "-", nullptr);
  TurnOff = item(LiveMenu, "TurnOff", "&Turn off", [this] { moveSelected(true); });
  DeleteLive = item(LiveMenu, "DeleteLive", kDelete, [this] { deleteSelected(false); });
  LiveMenu->OnPopup = [this](TObject*) { offerRowItems(true); };
  ListView1->PopupMenu = LiveMenu;

  BackupMenu = new TPopupMenu(this);
  BackupMenu->SetName("BackupMenu");
  OpenBackupLocation =
      item(BackupMenu, "OpenBackupLocation", kOpenFileLocation, [this] { openFileLocation(*ListView2); });
  BackupSeparator = item(BackupMenu, "BackupSeparator", "-", nullptr);
  RestoreBackup = item(BackupMenu, "RestoreBackup", "&Restore", [this] { moveSelected(false); });
  DeleteBackup = item(BackupMenu, "DeleteBackup", kDelete, [this] { deleteSelected(true); });
  BackupMenu->OnPopup = [this](TObject*) { offerRowItems(false); };
  ListView2->PopupMenu = BackupMenu;
}

void TfrmVantrel::offerRowItems(bool live) {
  TListView& list = live ? *ListView1 : *ListView2;
  // An item that is not offered is hidden, and does nothing if it is chosen all the same.
  const auto offer = [](TMenuItem* item, bool offered) {
    item->Visible = offered;
    item->Enabled = offered;
  };
  const bool rows = list.SelCount() > 0;
  const bool located = selectedProgramFile(list).has_value();
  if (live) {
    bool enabled = false;
    bool disabled = false;
    const int status = SubItemOf(list, kStatusColumn);
    for (const TListRow& row : list.Rows()) {
      if (row.Selected && status >= 0 && static_cast<std::size_t>(status) < row.SubItems.size()) {
        (row.SubItems[status] == kDisabled ? disabled : enabled) = true;
      }
    }
    offer(EnableAtLogOn, disabled);
    offer(DisableAtLogOn, enabled);
    offer(OpenLiveLocation, located);
    offer(LiveSeparator, enabled || disabled || located);
    offer(TurnOff, rows);
    offer(DeleteLive, rows);
  } else {
    offer(OpenBackupLocation, located);
    offer(BackupSeparator, located);
    offer(RestoreBackup, rows);
    offer(DeleteBackup, rows);
  }
}

std::optional<std::string> TfrmVantrel::selectedProgramFile(TListView& list) {
  if (list.SelCount() != 1) {
    return std::nullopt;
  }
  // As the Publisher column found it, so that a row that says "File not found" offers no place.
  const ProgramFile file = Publishers->FileOf(list, list.Rows()[list.Selected()]);
  if (file.Is != ProgramFile::State::Found) {
    return std::nullopt;
  }
  return file.Path;
}

void TfrmVantrel::openFileLocation(TListView& list) {
  const std::optional<std::string> path = selectedProgramFile(list);
  if (!path) {
    return;
  }
  const std::intptr_t answer = services_.shellExecution->ShellExecuteW(
      Handle(), u"open", u"explorer.exe", u"/select,\"" + Utf8ToUtf16(*path) + u"\"", u"",
      platform::kSwShowNormal);
  if (answer <= 32) {
    throw Exception(kExplorerFailed + VisibleText(*path) + " (error " + std::to_string(answer) + ").");
  }
}

void TfrmVantrel::TabSheet3Show(TObject*) {
  const std::optional<StatusColumn> status = statusColumn();
  const StatusColumn* shown = status ? &*status : nullptr;
  FillLists(*services_.registry, runScopes(), shown, *ListView1, *ListView2);
  FillFolderLists(*services_.fileSystem, *services_.fileSecurity, FolderScopes(), shown, *ListView1,
                  *ListView2);
  // A page shown anew looks at the disks anew: programs may have come or gone meanwhile.
  Publishers->Check(true);
  for (int i = 0; i < ListView1->RowCount(); ++i) {
    if (preselected(ListView1->Rows()[i].Caption)) {
      ListView1->SetSelected(i, true);
      ListView1->MakeVisible(i);
      ListView1->PostSetFocus();
    }
  }
}

void TfrmVantrel::SpeedButton1Click(TObject*) {
  moveSelected(true);
}

void TfrmVantrel::SpeedButton2Click(TObject*) {
  moveSelected(false);
}

void TfrmVantrel::SpeedButton3Click(TObject*) {
  if (!OpenDialog1->Execute()) {
    return;
  }
  const std::vector<RunScope> scopes = runScopes();
  const std::optional<StatusColumn> status = statusColumn();
  TRefusals refusals(EntryAction::Add);
  AddEntry(*services_.registry, scopes.front(), scopes.back(), status ? &*status : nullptr,
           OpenDialog1->FileName, *ListView1, refusals);
  Publishers->Check(false);
  tell(refusals);
}

void TfrmVantrel::SpeedButton4Click(TObject*) {
  deleteSelected(false);
}

void TfrmVantrel::SpeedButton5Click(TObject*) {
  deleteSelected(true);
}

void TfrmVantrel::EnableAtLogOnClick(TObject*) {
  switchSelected(true);
}

void TfrmVantrel::DisableAtLogOnClick(TObject*) {
  switchSelected(false);
}

void TfrmVantrel::moveSelected(bool toBackup) {
  const std::optional<StatusColumn> status = statusColumn();
  const StatusColumn* shown = status ? &*status : nullptr;
  TListView& from = toBackup ? *ListView1 : *ListView2;
  TListView& to = toBackup ? *ListView2 : *ListView1;
  TRefusals refusals(toBackup ? EntryAction::TurnOff : EntryAction::Restore);
  MoveSelectedEntries(*services_.registry, runScopes(), shown, from, toBackup ? kRunKey : kBackupKey, to,
                      toBackup ? kBackupKey : kRunKey, refusals);
  MoveSelectedFiles(*services_.fileSystem, *services_.fileSecurity, FolderScopes(), shown, from, toBackup, to,
                    refusals);
  Publishers->Check(false);
  tell(refusals);
}

void TfrmVantrel::deleteSelected(bool backup) {
  const std::optional<StatusColumn> status = statusColumn();
  const StatusColumn* shown = status ? &*status : nullptr;
  TListView& list = backup ? *ListView2 : *ListView1;
  TRefusals refusals(EntryAction::Delete);
  DeleteSelectedEntries(*services_.registry, runScopes(), shown, list, backup ? kBackupKey : kRunKey,
                        backup ? *ListView1 : *ListView2, refusals);
  DeleteSelectedFiles(*services_.fileSystem, *services_.fileSecurity, FolderScopes(), shown, list, backup,
                      refusals);
  Publishers->Check(false);
  tell(refusals);
}

void TfrmVantrel::switchSelected(bool starts) {
  TRefusals refusals(starts ? EntryAction::SwitchOn : EntryAction::SwitchOff);
  const StatusColumn status = *statusColumn();
  // A file deleted from outside gets no switch: Windows would keep it for a file that is not there.
  const std::vector<FolderScope> gone =
      UnselectGoneFiles(*services_.fileSystem, FolderScopes(), *ListView1, refusals);
  SetSelectedStartsAtLogOn(status, runScopes(), *ListView1, *ListView2, starts,
                           services_.timeOfDay->GetSystemTimeAsFileTime(), refusals);
  FillFolderLists(*services_.fileSystem, *services_.fileSecurity, gone, &status, *ListView1, *ListView2);
  Publishers->Check(false);
  tell(refusals);
}

}  // namespace vantrel
