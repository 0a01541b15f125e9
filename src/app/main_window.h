// TfrmVantrel: the program's one window, the controls it presents and the components it owns. Its methods
// live in one file per concern: start-up and settings, the memory monitor, the commands, the boxes; the
// startup manager's page is a class of its own (startup/startup_page.h).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/tray_settings.h"
#include "figures/commit_texts.h"
#include "figures/tray_texts.h"
#include "framework/application.h"
#include "framework/background_call.h"
#include "framework/comctrls.h"
#include "framework/ext_controls.h"
#include "framework/form.h"
#include "framework/image_list.h"
#include "framework/menus.h"
#include "framework/registry_key.h"
#include "framework/spin_edit.h"
#include "framework/std_controls.h"
#include "framework/timer.h"
#include "free_all/free_all_hotkey.h"
#include "free_all/free_memory_page.h"
#include "free_all/free_memory_settings.h"
#include "free_all/region_run.h"
#include "history/history_page.h"
#include "history/memory_history.h"
#include "history/page_reads.h"
#include "history/pass_watch.h"
#include "history/rule_pause.h"
#include "memory/max_mem.h"
#include "platform/services.h"
#include "program/logon_task_calls.h"
#include "startup/run_key.h"
#include "startup/startup_entries.h"
#include "startup/startup_page.h"
#include "tray/free_memory_tray_icon.h"

namespace vantrel {

class TfrmVantrel : public TForm {
 public:
  explicit TfrmVantrel(TApplication& application);
  ~TfrmVantrel() override;

  TPageControl* PageControl1;
  TTabSheet* TabSheet1;
  TTabSheet* TabSheet2;
  TTabSheet* TabSheet3;
  TTabSheet* TabSheet4;
  TTabSheet* TabSheet5;
  TTabSheet* TabSheet6;

  // Action
  TProgressBar* Gauge1;
  TLabel* Label1;
  TLabel* Label2;
  TLabel* Label3;
  TLabel* Label9;
  TComboBox* ComboBox1;
  TLabel* Label16;
  TSpinEdit* edtGRFSH;
  TLabel* Label10;
  TLabel* Label20;
  TProgressBar* Gauge2;
  TLabel* Label21;
  TSpinEdit* edtTRFSH;
  TLabel* Label22;
  TCheckBox* CheckBox2;
  TLabel* Label13;
  TProgressBar* ProgressBar1;
  TSpeedButton* btnFreeAll;
  TLabel* Label15;
  // The commit charge and the page files, where the system tells them.
  TLabel* lblCommit;

  // Configuration
  TCheckBox* CheckBox1;
  TLabel* Label5;
  TSpinEdit* edtMin;
  TLabel* Label6;
  TLabel* Label4;
  TSpinEdit* edtCMI;
  TLabel* Label7;
  TLabel* Label8;
  TListBox* listMax;
  TLabel* Label14;
  TLabel* Label17;
  TSpinEdit* edtCPU;
  TLabel* Label19;
  TLabel* Label24;
  TSpinEdit* edtWAIT;
  TLabel* Label18;
  TLabel* Label11;
  TSpinEdit* edtTRYT;
  TLabel* Label12;
  TLabel* lblTARGET;

  // Startup Manager: made when its tab is first shown, none until then.
  TStartupPage* StartupManagerPage = nullptr;

  // Information
  TLabel* Label26;
  TLabel* Label27;
  TLabel* Label23;

  // The Free Memory and History tabs' pages, each made the first time its tab shows; none until then.
  TFreeMemoryPage* FreeMemoryPage = nullptr;
  THistoryPage* HistoryPage = nullptr;

  // Components
  TTimer* Timer1;
  TTimer* Timer2;
  TTimer* Timer3;
  // Runs the passes that later starts handed over, once their hand-over has been answered.
  TTimer* HandedPassTimer;
  // Looks, while a Free All's regions run, whether they have ended.
  TTimer* FreeAllTimer;
  // Ends the minute that a pass is watched after it ends.
  TTimer* WatchTimer;
  TMaxMem* MaxMem1;
  TPopupMenu* TPopupMenu1;
  TMenuItem* SShow;
  TMenuItem* SEnable;
  TMenuItem* CustomItem2;
  TMenuItem* FMax;
  TMenuItem* CustomItem1;
  TMenuItem* CustomItem3;
  TMenuItem* Bye;
  TMenuItem* CustomItem4;
  TImageList* ImageList1;
  TFreeMemoryTrayIcon* TextTrayIcon1;

  // Checks by the automatic reclaim at which the processor was idle.
  std::int32_t IdleCount = 0;

  // Start-up, show and shutdown.
  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  // The page control takes the window's new size; the Startup Manager's lists share it, once they are made.
  void FormResize(TObject* Sender);
  void FormDestroy(TObject* Sender);

  // The memory monitor and automatic reclaim.
  void Timer1Timer(TObject* Sender);
  void Timer2Timer(TObject* Sender);
  void Timer3Timer(TObject* Sender);
  void CheckBox1Click(TObject* Sender);
  void listMaxClick(TObject* Sender);
  // The processor load in percent for both ticks; empty when the sampler has no instance or fails. A failure
  // is shown once, until a reading succeeds again: a box at every tick would bury the user.
  std::optional<double> ProcessorLoad();

  // The reclaim and tray commands.
  void btnFreeAllClick(TObject* Sender);
  void SShow_oldClick(TObject* Sender);
  void SEnable_oldClick(TObject* Sender);
  void CustomItem3Click(TObject* Sender);
  void ByeClick(TObject* Sender);
  void CustomItem4Click(TObject* Sender);
  void MaxMem1BeforeDefrag(TObject* Sender);
  void MaxMem1Progress(TObject* Sender, std::int32_t Progress);
  void MaxMem1AfterDefrag(TObject* Sender);
  void Label23Click(TObject* Sender);
  void TextTrayIcon1Click(TObject* Sender);
  // The window minimised into the tray is hidden like the hide branch of Show/Hide hides it.
  void TextTrayIcon1MinimizeToTray(TObject* Sender);

  // Free All: the chosen regions off the window thread, then the pass of all memory and the balloon.
  void FreeAllTimerTimer(TObject* Sender);
  void WatchTimerTimer(TObject* Sender);
  const PassWatch& Watch() const { return passWatch_; }
  void btnRestartElevatedClick(TObject* Sender);
  void chkLogonTaskClick(TObject* Sender);
  // Where the regions run; a test puts in one that it drives.
  void UseRegionWorker(std::unique_ptr<platform::Worker> worker) { regionRun_.SetWorker(std::move(worker)); }
  bool FreeAllRunning() const { return regionRun_.Running(); }

  // A command handed over by a later start of the program (running_copy.h); false for anything else.
  bool ApplicationCopyData(std::uintptr_t Data, const std::string& Bytes);
  void HandedPassTimerTimer(TObject* Sender);

  // The startup manager's page, made at its first showing and filled at each.
  void TabSheet3Show(TObject* Sender);
  void CheckBox2Click(TObject* Sender);

 private:
  void buildActionPage();
  void buildConfigurationPage();
  void buildInformationPage();
  void makeFreeMemoryPage();
  void makeHistoryPage();
  void buildComponents();
  void buildTrayIcon();
  // The places whose Run keys the startup manager shows.
  std::vector<RunScope> runScopes() const;
  // Windows' own switch of each entry, as the startup manager's Status column shows it; none before
  // Windows 8.
  std::optional<StatusColumn> statusColumn() const;
  // The Run keys that this program's own entry may be in: the whole machine's (in the 64-bit programs' view
  // where the system has one), then this user's.
  std::vector<RunScope> autoStartPlaces() const;
  // Makes the auto-start entry agree with the box, and for the user's tick (`byUser`) Windows' own switch of
  // it; a refusal is told once per run, not at every exit.
  void applyAutoStart(bool byUser = false);
  // The executable's full path.
  std::string executable() const;

  // Takes the commands of later starts, also from a process of a lower level when this one runs elevated.
  void listenToLaterStarts();
  // A pass the user asked for (megabytes, or kWholeMemoryPass), followed by a balloon that says what it
  // freed.
  void userPass(std::int32_t megabytes, PassKind kind);
  // Starts the chosen regions on the worker, unless a run is going already. An automatic run leaves out the
  // two regions that can stop Windows for a minute, and ends without the pass and the balloon.
  void startFreeAll(PassKind kind);
  // The watch of each pass: its start (cutting short the watch going, which is then logged) and its end,
  // from which it is watched for a minute.
  std::uint32_t passStarted(PassKind kind, const RegionChoice& regions = {});
  void passEnded(std::uint32_t number);
  // A watched pass's figures: the automatic rules' pause grows or shrinks, and its row says so.
  void learnFromPass(const PassRecord& pass);
  // The monitor tick's point of the chart, the count of pages read for the rate before a pass, and the chart
  // while its page shows.
  void historyTick(std::int64_t freeBytes, const std::optional<CommitFigures>& commit);
  void drawChart();
  void showPasses();
  // The log file's line for a pass whose watch is over, when the box asks for one.
  void writeLog(const PassRecord& pass);
  // Whether the log file's box is ticked, on its page or, before that is made, in the settings.
  bool logWanted() const;
  // Why the log file could not be written; empty once a write succeeds.
  void logFailed(const std::string& text);
  // The free memory, the commit charge, and the last watched pass for ten minutes after its watch.
  std::string trayTip(std::int64_t freeBytes, std::uint64_t time,
                      const std::optional<CommitFigures>& commit) const;
  // The system's figures as the window shows them; none where it cannot tell.
  std::optional<CommitFigures> commitCharge() const;
  std::optional<PageFileFigures> pageFiles() const;
  std::uint64_t now() const;
  // The monitor tick's automatic rule in percent, with its pause between runs.
  void checkFreeMemoryRule(std::int64_t freeBytes);
  // The Free Memory page's settings, from its controls once it is made.
  FreeMemorySettings freeMemorySettings() const;
  platform::OsVersionInfo osVersion() const;
  // The log-on task's box shows logonTask_, where its page has been made.
  void showLogonTaskBox();
  // Whether the log-on task's box lets this copy change the task.
  bool logonTaskChangeable() const;
  // Whether the task that starts this program at log-on is there, for the box; one of ours that names a
  // program that is gone is registered again for this one, where this copy may. One whose program others may
  // change is removed, and told. The calls run off the window thread; `then` runs with the answer, withdrawn
  // true for the Run value to stand in for the task. False where there is no task to ask, or plainly none
  // (`then` not run).
  bool showLogonTask(std::function<void(bool withdrawn)> then);
  bool showTaskAtStart(const TaskAtStart& found);
  // A call on the task off the window thread; its answer runs on the window thread, then a change of the Auto
  // Start box that waited for it. False while another call goes.
  bool callOnTask(std::function<TBackgroundCall::TAnswer()> call);
  // Whether a call on the task succeeded; a failure is told, `failure` first.
  bool taskDone(const char* failure, std::int32_t result);
  // Whether the task was registered; a failure is told.
  bool registered(const TaskRegistration& registration);
  // Deletes the task; a failure is told, and the box keeps showing it. `then` follows the answer.
  void deleteLogonTask(std::function<void()> then = nullptr);
  // After the box's change of the task: the Auto Start box and the Run value follow what the task now is.
  void followTask(bool wanted);
  // After the Startup Manager switched a task: where it is ours, the box and the Run value follow it.
  void taskSwitchedOnPage(const TaskEntry& task);
  // Shows the window for the flag 1 and hides it for 0, with the display tick; any other flag does nothing.
  void showHideToggle(std::int32_t flag);
  // The tray figure's colour for the level of this free memory, drawn anew only when the level changes.
  void showTrayLevel(std::int64_t freeBytes);
  // An MCI command to the CD drive; whatever it does or fails to do goes unreported.
  void sendToCdDrive(const char* command);

  platform::Services& services_;
  bool loadFailureShown_ = false;
  bool autoStartRefusalShown_ = false;
  bool autoStartTakenShown_ = false;
  // The task is there and starts this program: its Run value is not written meanwhile.
  bool logonTask_ = false;
  // The calls on the task, and the start with administrator rights: each may wait for seconds.
  TBackgroundCall* taskCall_;
  TBackgroundCall* elevationCall_;
  // A change of the Auto Start box made while a call on the task went, which waits for its answer: whether
  // the user made it.
  std::optional<bool> autoStartWaits_;
  // The commands handed over that wait: the largest pass asked for (0: none), and a Free All.
  std::int32_t handedPass_ = 0;
  bool handedFreeAll_ = false;
  // The handed pass running now (0: none): one asked for meanwhile that is no larger is taken in by it.
  std::int32_t handedPassRunning_ = 0;
  TRegionRun regionRun_;
  bool freeAllAutomatic_ = false;
  std::uint32_t freeAllPass_ = 0;
  PassWatch passWatch_;
  MemoryHistory history_;
  PageReads pageReads_;
  std::uint32_t pageSize_;
  // The tip's line of the last watched pass.
  TipLine lastPassTip_;
  std::uint64_t lastWatchedAt_ = 0;
  std::int64_t freeAllBefore_ = 0;
  // When the automatic rule last ran (GetTickCount64); none yet in this run.
  std::optional<std::uint64_t> lastRuleRun_;
  // Both automatic rules' pause, longer while what they free comes straight back.
  RulePause rulePause_;
  // Timer1's interval as the check box set it; it runs at that times the pause's factor.
  std::uint32_t checkInterval_ = 0;
  FreeAllHotkey freeAllHotkey_;
  int hotkeyHook_ = 0;
  // The Free Memory page's settings while the page is not made; its controls hold them from then on.
  FreeMemorySettings freeMemory_;
  // The log file's box while its page is not made, and why the log could not be written.
  bool log_ = false;
  std::string logFailure_;
  // The Startup Manager's box "Hide Windows' own entries" as the settings keep it, until its page is made.
  bool hideWindowsEntries_ = true;
  TraySettings tray_;
  // The level the tray figure's colour shows.
  TrayLevel trayLevel_ = TrayLevel::Normal;
};

}  // namespace vantrel
