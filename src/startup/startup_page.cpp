// The Startup Manager's page: the programs Windows starts at log-on and their backup.
#include "startup/startup_page.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "framework/page_controls.h"
#include "framework/sysutils.h"
#include "platform/unicode.h"
#include "startup/refusals.h"
#include "startup/startup_approved.h"
#include "startup/startup_folders.h"
#include "startup/startup_rows.h"
#include "startup/visible_text.h"

namespace vantrel {

namespace {

constexpr char kExplorerFailed[] = "Explorer could not be started to show ";
constexpr char kOpenFileLocation[] = "&Open file location";
constexpr char kDelete[] = "De&lete";
constexpr char kHideWindows[] = "Hide Windows' own entries";
constexpr int kHideLabelWidth = 150;

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

void setBounds(TControl* control, const TBounds& bounds) {
  control->SetBounds(bounds.Left, bounds.Top, bounds.Width, bounds.Height);
}

TListView* startupList(TComponent* owner, TWinControl* parent, const char* name, const char* firstColumn,
                       TImageList* images, const TBounds& bounds) {
  auto* list = new TListView(owner);
  list->SetName(name);
  list->MultiSelect = true;
  list->RowSelect = true;
  list->ReadOnly = true;
  list->HideSelection = false;
  list->ShowHint = true;
  list->SmallImages = images;
  list->SetColumns(
      {{firstColumn, 128}, {kLocationColumn, 80}, {"Scope", 100}, {kPublisherColumn, 120}, {"Program", 900}});
  list->Greyed = [list](const TListRow& row, int column) { return GreyedCell(*list, row, column); };
  setBounds(list, bounds);
  list->SetParent(parent);
  return list;
}

TSpeedButton* glyphButton(TComponent* owner, TWinControl* parent, const char* name, const char* hint,
                          int glyph, int left) {
  auto* button = new TSpeedButton(owner);
  button->SetName(name);
  button->Glyph = TBitmap{glyph};
  button->Cursor = TCursor::crHandPoint;
  button->ShowHint = true;
  button->SetHint(hint);
  button->SetBounds(left, 2, 18, 18);
  button->SetParent(parent);
  return button;
}

}  // namespace

std::vector<RunScope> SystemRunScopes(const platform::Services& services) {
  return RunScopes(!services.process->GetSystemWow64DirectoryA().empty(), services.process->IsWow64Process());
}

std::vector<RunScope> SystemRegistryPlaces(const platform::Services& services) {
  return RegistryPlaces(!services.process->GetSystemWow64DirectoryA().empty(),
                        services.process->IsWow64Process());
}

std::optional<StatusColumn> SystemStatusColumn(const platform::Services& services) {
  platform::OsVersionInfo version;
  // Windows keeps its own switch of each entry from Windows 8 (6.2) on.
  if (!services.version->GetVersionExA(version) || !platform::AtLeast(version, 6, 2)) {
    return std::nullopt;
  }
  return StatusColumn{*services.registry, services.process->IsWow64Process()};
}

TStartupPage::TStartupPage(TForm& window, TWinControl& sheet, platform::Services& services,
                           const StartupImages& images, const StartupLayout& layout, bool hideWindowsEntries)
    : TComponent(&window), window_(window), services_(services), status_(SystemStatusColumn(services)) {
  SetName("StartupPage");
  ImageList2 = new TImageList(this);
  ImageList2->SetName("ImageList2");
  ImageList2->AddIcon(TIcon{images.Entry});
  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->SetName("OpenDialog1");

  ListView1 = startupList(this, &sheet, "ListView1", "Auto Run Items", ImageList2, layout.Live);
  if (status_) {
    std::vector<TListColumn> columns = ListView1->Columns();
    // After the scope: the status's sub-item is kStatusItem.
    columns.insert(columns.begin() + kStatusItem + 1, {kStatusColumn, 64});
    ListView1->SetColumns(columns);
  }

  Panel1 = new TPanel(this);
  Panel1->SetName("Panel1");
  Panel1->Color = clSilver;
  setBounds(Panel1, layout.Panel);
  Panel1->SetParent(&sheet);
  SpeedButton3 = glyphButton(this, Panel1, "SpeedButton3", "Add a item to AutoRun Group", images.Add, 4);
  SpeedButton3->OnClick = [this](TObject* sender) { SpeedButton3Click(sender); };
  SpeedButton4 =
      glyphButton(this, Panel1, "SpeedButton4", "direct delete a item from AutoRun Group", images.Delete, 24);
  SpeedButton4->OnClick = [this](TObject* sender) { SpeedButton4Click(sender); };
  SpeedButton1 =
      glyphButton(this, Panel1, "SpeedButton1", "delete a AutoRun item to backup Group", images.Down, 44);
  SpeedButton1->OnClick = [this](TObject* sender) { SpeedButton1Click(sender); };
  SpeedButton2 = glyphButton(this, Panel1, "SpeedButton2", "Restore Backuped AutoRun Item which you Selected",
                             images.Up, 64);
  SpeedButton2->OnClick = [this](TObject* sender) { SpeedButton2Click(sender); };
  SpeedButton5 =
      glyphButton(this, Panel1, "SpeedButton5", "delete a item from Backup Group", images.Delete, 84);
  SpeedButton5->OnClick = [this](TObject* sender) { SpeedButton5Click(sender); };

  ListView2 = startupList(this, &sheet, "ListView2", "Backuped Items", ImageList2, layout.Backup);
  for (TListView* list : {ListView1, ListView2}) {
    // By name, then by location, then by scope.
    list->Compare = [this](const TListRow& a, const TListRow& b) {
      const auto compare = [this](const std::string& x, const std::string& y) {
        return services_.locale->lstrcmpW(Utf8ToUtf16(x).c_str(), Utf8ToUtf16(y).c_str());
      };
      int order = compare(a.Caption, b.Caption);
      if (order == 0) {
        order = compare(LocationOf(a), LocationOf(b));
      }
      return order != 0 ? order : compare(ScopeOf(a), ScopeOf(b));
    };
  }
  TaskListing = new TBackgroundCall(this, services_.workers->NewWorker());
  TaskListing->SetName("TaskListing");
  Publishers = new TPublisherColumn(
      this, {*services_.fileSystem, *services_.registry, services_.process->IsWow64Process()},
      services_.signatures,
      services_.workers ? services_.workers->NewWorker() : std::make_unique<platform::ThreadWorker>(),
      *ListView1, *ListView2);
  Publishers->OnHiddenChange = [this] { showHidden(); };

  chkHideWindows = NewCheckBox(this, &sheet, "chkHideWindows", kHideWindows, 0, 0);
  lblHideWindows = NewLabel(this, &sheet, "lblHideWindows", kHideWindows, 0, 0, kHideLabelWidth);
  lblHideWindows->FocusControl = chkHideWindows;
  lblHidden = NewLabel(this, &sheet, "lblHidden", "", 0, 0, 0);
  chkHideWindows->SetChecked(hideWindowsEntries);
  Publishers->HideWindowsRows(hideWindowsEntries);
  chkHideWindows->OnClick = [this](TObject* sender) { chkHideWindowsClick(sender); };
  buildRowMenus();
  LayOut(layout);
}

void TStartupPage::LayOut(const StartupLayout& layout) {
  setBounds(ListView1, layout.Live);
  setBounds(Panel1, layout.Panel);
  setBounds(ListView2, layout.Backup);
  const TBounds& row = layout.Filter;
  chkHideWindows->SetBounds(row.Left + 4, row.Top + 1, 16, 18);
  lblHideWindows->SetBounds(row.Left + 24, row.Top + 2, kHideLabelWidth, kRowHeight);
  const int status = kHideLabelWidth + 32;
  lblHidden->SetBounds(row.Left + status, row.Top + 2, std::max(row.Width - status, 0), kRowHeight);
}

void TStartupPage::chkHideWindowsClick(TObject*) {
  Publishers->HideWindowsRows(chkHideWindows->Checked());
}

void TStartupPage::showHidden() {
  const int hidden = Publishers->HiddenCount();
  lblHidden->SetCaption(hidden > 0 ? std::to_string(hidden) + " of Windows' own entries hidden" : "");
}

void TStartupPage::buildRowMenus() {
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

void TStartupPage::offerRowItems(bool live) {
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
    // Tasks are switched, never deleted here.
    bool deletable = false;
    for (const TListRow& row : list.Rows()) {
      if (!row.Selected) {
        continue;
      }
      deletable = deletable || !IsTaskRow(row);
      if (IsTaskRow(row)) {
        (TaskRowEnabled(row) ? enabled : disabled) = true;
      } else if (ApprovedPlaceOf(LocationOf(row), ScopeOf(row), false) && status >= 0 &&
                 static_cast<std::size_t>(status) < row.SubItems.size()) {
        // RunOnce and Policy Run entries have no switch: Windows starts them; "Turn off" is their way.
        (row.SubItems[status] == kDisabled ? disabled : enabled) = true;
      }
    }
    offer(EnableAtLogOn, disabled);
    offer(DisableAtLogOn, enabled);
    offer(OpenLiveLocation, located);
    offer(LiveSeparator, enabled || disabled || located);
    offer(TurnOff, rows);
    offer(DeleteLive, deletable);
  } else {
    offer(OpenBackupLocation, located);
    offer(BackupSeparator, located);
    offer(RestoreBackup, rows);
    offer(DeleteBackup, rows);
  }
}

std::optional<std::string> TStartupPage::selectedProgramFile(TListView& list) {
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

void TStartupPage::openFileLocation(TListView& list) {
  const std::optional<std::string> path = selectedProgramFile(list);
  if (!path) {
    return;
  }
  const std::intptr_t answer = services_.shellExecution->ShellExecuteW(
      window_.Handle(), u"open", u"explorer.exe", u"/select,\"" + Utf8ToUtf16(*path) + u"\"", u"",
      platform::kSwShowNormal);
  if (answer <= 32) {
    throw Exception(kExplorerFailed + VisibleText(*path) + " (error " + std::to_string(answer) + ").");
  }
}

void TStartupPage::Fill() {
  const StatusColumn* shown = shownStatus();
  FillLists(*services_.registry, SystemRegistryPlaces(services_), shown, *ListView1, *ListView2);
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
  listTasks();
}

void TStartupPage::listTasks() {
  platform::OsVersionInfo version;
  // Before Vista there is no Task Scheduler of this kind to ask.
  if (!services_.version->GetVersionExA(version) || !platform::VistaOrLater(version)) {
    return;
  }
  if (TaskListing->Running()) {
    listAgain_ = true;
    return;
  }
  TaskListing->Start([&tasks = *services_.scheduledTasks, &process = *services_.process,
                      this]() -> TBackgroundCall::TAnswer {
    std::vector<platform::RegisteredTask> registered;
    const std::int32_t result = tasks.GetTasks(registered);
    std::vector<TaskEntry> entries = StartupTasks(registered, Utf16ToUtf8(process.LookupAccountSidW()));
    return [result, entries = std::move(entries), this] {
      // A Task Scheduler that does not answer leaves the rows as they were; the page says nothing of it,
      // as of a Run key it may not read.
      if (result >= 0) {
        tasks_ = entries;
        FillTaskRows(tasks_, status_.has_value(), *ListView1);
        Publishers->Check(false);
      }
      if (std::exchange(listAgain_, false)) {
        listTasks();
      }
    };
  });
}

void TStartupPage::switchTasks(bool enabled, TRefusals& refusals) {
  std::vector<TaskEntry> switched;
  const bool gone =
      SetSelectedTasksEnabled(*services_.scheduledTasks, *ListView1, enabled, refusals, switched);
  for (TaskEntry& task : switched) {
    for (TaskEntry& listed : tasks_) {
      if (listed.Path == task.Path) {
        listed.Enabled = task.Enabled;
        task = listed;
      }
    }
    if (OnTaskSwitched) {
      OnTaskSwitched(task);
    }
  }
  if (gone) {
    listTasks();
  }
}

void TStartupPage::SpeedButton1Click(TObject*) {
  moveSelected(true);
}

void TStartupPage::SpeedButton2Click(TObject*) {
  moveSelected(false);
}

void TStartupPage::SpeedButton3Click(TObject*) {
  if (!OpenDialog1->Execute()) {
    return;
  }
  const std::vector<RunScope> scopes = SystemRunScopes(services_);
  TRefusals refusals(EntryAction::Add);
  AddEntry(*services_.registry, scopes.front(), scopes.back(), shownStatus(), OpenDialog1->FileName,
           *ListView1, refusals);
  Publishers->Check(false);
  tell(refusals);
}

void TStartupPage::SpeedButton4Click(TObject*) {
  deleteSelected(false);
}

void TStartupPage::SpeedButton5Click(TObject*) {
  deleteSelected(true);
}

void TStartupPage::EnableAtLogOnClick(TObject*) {
  switchSelected(true);
}

void TStartupPage::DisableAtLogOnClick(TObject*) {
  switchSelected(false);
}

void TStartupPage::moveSelected(bool toBackup) {
  const StatusColumn* shown = shownStatus();
  TListView& from = toBackup ? *ListView1 : *ListView2;
  TListView& to = toBackup ? *ListView2 : *ListView1;
  TRefusals refusals(toBackup ? EntryAction::TurnOff : EntryAction::Restore);
  // A task is turned off by its own switch, and stays in the upper list.
  if (toBackup) {
    switchTasks(false, refusals);
  }
  MoveSelectedEntries(*services_.registry, SystemRegistryPlaces(services_), shown, from, toBackup, to,
                      refusals);
  MoveSelectedFiles(*services_.fileSystem, *services_.fileSecurity, FolderScopes(), shown, from, toBackup, to,
                    refusals);
  Publishers->Check(false);
  tell(refusals);
}

void TStartupPage::deleteSelected(bool backup) {
  const StatusColumn* shown = shownStatus();
  TListView& list = backup ? *ListView2 : *ListView1;
  TRefusals refusals(EntryAction::Delete);
  if (!backup) {
    RefuseTaskDeletion(*ListView1, refusals);
  }
  DeleteSelectedEntries(*services_.registry, SystemRegistryPlaces(services_), shown, list, backup,
                        backup ? *ListView1 : *ListView2, refusals);
  DeleteSelectedFiles(*services_.fileSystem, *services_.fileSecurity, FolderScopes(), shown, list, backup,
                      refusals);
  Publishers->Check(false);
  tell(refusals);
}

void TStartupPage::switchSelected(bool starts) {
  TRefusals refusals(starts ? EntryAction::SwitchOn : EntryAction::SwitchOff);
  switchTasks(starts, refusals);
  // Before Windows 8 there is no switch of the other entries: the items are offered for tasks only.
  if (!status_) {
    tell(refusals);
    return;
  }
  const StatusColumn& status = *status_;
  // A file deleted from outside gets no switch: Windows would keep it for a file that is not there.
  const std::vector<FolderScope> gone =
      UnselectGoneFiles(*services_.fileSystem, FolderScopes(), *ListView1, refusals);
  SetSelectedStartsAtLogOn(status, SystemRegistryPlaces(services_), *ListView1, *ListView2, starts,
                           services_.timeOfDay->GetSystemTimeAsFileTime(), refusals);
  FillFolderLists(*services_.fileSystem, *services_.fileSecurity, gone, &status, *ListView1, *ListView2);
  Publishers->Check(false);
  tell(refusals);
}

}  // namespace vantrel
