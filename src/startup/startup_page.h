// The Startup Manager's page: the programs Windows starts at log-on and their backup, in two lists with the
// buttons between them and a menu for each list's rows. The window makes it when its tab is first shown, so
// that a run in which no one opens the tab holds none of it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/background_call.h"
#include "framework/comctrls.h"
#include "framework/ext_controls.h"
#include "framework/form.h"
#include "framework/image_list.h"
#include "framework/menus.h"
#include "framework/open_dialog.h"
#include "framework/std_controls.h"
#include "platform/services.h"
#include "startup/publisher_column.h"
#include "startup/run_key.h"
#include "startup/startup_entries.h"
#include "startup/startup_tasks.h"

namespace vantrel {

// The places whose Run keys the page shows on this system, and Windows' own switch of each entry (the upper
// list's Status column; none before Windows 8). Known without the page: the program's own entry is in them.
std::vector<RunScope> SystemRunScopes(const platform::Services& services);
// Every place of the registry the page shows on this system: the Run scopes, RunOnce and Policy Run.
std::vector<RunScope> SystemRegistryPlaces(const platform::Services& services);
std::optional<StatusColumn> SystemStatusColumn(const platform::Services& services);

struct TBounds {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;

  bool operator==(const TBounds&) const = default;
};

// Where the page's parts go: the upper list, the button panel, the lower list, and the row above the upper
// list that holds the box "Hide Windows' own entries" and how many it hides.
struct StartupLayout {
  TBounds Live;
  TBounds Panel;
  TBounds Backup;
  TBounds Filter;
};

// The numbers of the executable's images that the page shows.
struct StartupImages {
  int Entry;  // the rows' icon
  int Add;
  int Delete;
  int Down;
  int Up;
};

class TStartupPage : public TComponent {
 public:
  // The page's controls on `sheet`; `window` owns the page and what it opens (Explorer, the file dialog).
  // `hideWindowsEntries`: the box's state as the settings keep it.
  TStartupPage(TForm& window, TWinControl& sheet, platform::Services& services, const StartupImages& images,
               const StartupLayout& layout, bool hideWindowsEntries);

  TListView* ListView1;
  TPanel* Panel1;
  TSpeedButton* SpeedButton3;
  TSpeedButton* SpeedButton4;
  TSpeedButton* SpeedButton1;
  TSpeedButton* SpeedButton2;
  TSpeedButton* SpeedButton5;
  TListView* ListView2;
  // Keeps out of the lists the rows of programs that Windows signed as its own; how many, beside it.
  TCheckBox* chkHideWindows;
  TLabel* lblHideWindows;
  TLabel* lblHidden;
  // The rows' menus of the upper and the lower list. Each offers what its selection allows: switching at
  // log-on (from Windows 8 on, where the Status column shows), the program file's place, and the page's
  // buttons' actions.
  TPopupMenu* LiveMenu;
  TMenuItem* EnableAtLogOn;
  TMenuItem* DisableAtLogOn;
  TMenuItem* OpenLiveLocation;
  TMenuItem* LiveSeparator;
  TMenuItem* TurnOff;
  TMenuItem* DeleteLive;
  TPopupMenu* BackupMenu;
  TMenuItem* OpenBackupLocation;
  TMenuItem* BackupSeparator;
  TMenuItem* RestoreBackup;
  TMenuItem* DeleteBackup;
  TPublisherColumn* Publishers;
  TImageList* ImageList2;
  TOpenDialog* OpenDialog1;
  // Lists the tasks of the Task Scheduler, which may take seconds, off the window thread.
  TBackgroundCall* TaskListing;
  // After the page switched a task on or off, with the task as it now is; on the window thread.
  std::function<void(const TaskEntry& task)> OnTaskSwitched;

  void LayOut(const StartupLayout& layout);
  // Lists the entries afresh, at each showing of the tab.
  void Fill();
  void SpeedButton1Click(TObject* Sender);
  void SpeedButton2Click(TObject* Sender);
  void SpeedButton3Click(TObject* Sender);
  void SpeedButton4Click(TObject* Sender);
  void SpeedButton5Click(TObject* Sender);
  void EnableAtLogOnClick(TObject* Sender);
  void DisableAtLogOnClick(TObject* Sender);
  void chkHideWindowsClick(TObject* Sender);

 private:
  void buildRowMenus();
  // The count of rows that the box keeps out of the lists, beside it.
  void showHidden();
  // Shows the items of a list's menu that its selected rows allow.
  void offerRowItems(bool live);
  // The program file of the one selected row of a list, where it is there; none for several rows.
  std::optional<std::string> selectedProgramFile(TListView& list);
  // Explorer, showing the selected row's program file.
  void openFileLocation(TListView& list);
  const StatusColumn* shownStatus() const { return status_ ? &*status_ : nullptr; }
  // The actions on the selected entries of the Run keys and the Startup folders alike, each told in one box:
  // turning them off (to the backup) or on again, deleting them from either list, switching them at log-on.
  void moveSelected(bool toBackup);
  void deleteSelected(bool backup);
  void switchSelected(bool starts);
  // Lists the tasks that start at log-on or at boot; their rows replace the task rows when the answer comes.
  void listTasks();
  // Switches the selected task rows, and tells OnTaskSwitched; lists the tasks again where one was gone.
  void switchTasks(bool enabled, TRefusals& refusals);

  TForm& window_;
  platform::Services& services_;
  // Decided once, as the upper list's columns are.
  const std::optional<StatusColumn> status_;
  // The tasks as last listed, and whether a listing was asked for while one went.
  std::vector<TaskEntry> tasks_;
  bool listAgain_ = false;
};

}  // namespace vantrel
