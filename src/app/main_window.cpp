// The window as it is laid out: every control with its place, caption, range and handler, and the components
// the window owns. Positions are in pixels of the tab pages' client areas.
#include "app/main_window.h"

#include <algorithm>

#include "app/resources.h"
#include "app/window_layout.h"
#include "app/window_settings.h"
#include "framework/page_controls.h"
#include "platform/unicode.h"
#include "program/command_line.h"
#include "program/product.h"

namespace vantrel {

namespace {

// A handed-over pass starts this many ms after its hand-over was answered.
constexpr std::uint32_t kHandedPassDelay = 10;
// How often the window thread looks whether a Free All's regions have ended, in ms.
constexpr std::uint32_t kFreeAllPoll = 100;

TProgressBar* bar(TComponent* owner, TWinControl* parent, const char* name, int left, int top, int width,
                  int height) {
  auto* control = new TProgressBar(owner);
  control->SetName(name);
  control->SetRange(0, 100);
  control->SetBounds(left, top, width, height);
  control->SetParent(parent);
  return control;
}

TMenuItem* menuItem(TComponent* owner, TPopupMenu* menu, const char* name, const char* caption) {
  auto* item = new TMenuItem(owner, menu, caption);
  item->SetName(name);
  return item;
}

TFont font(const char* name, int height, TFontStyles style, TColor color) {
  TFont result;
  result.Name = name;
  result.Height = height;
  result.Style = style;
  result.Color = color;
  return result;
}

}  // namespace

TfrmVantrel::TfrmVantrel(TApplication& application)
    : TForm(application),
      services_(application.Services()),
      pageReads_(*services_.performanceData, *services_.systemMemory),
      pageSize_(services_.memory->GetSystemInfo_PageSize()),
      freeAllHotkey_(*services_.windowSystem) {
  SetName("frmVantrel");
  SetCaption(kProductLine);
  SetFont(font("Arial", -12, 0, clWindowText));
  SetBounds(275, 192, kWindowWidth, kWindowHeight);
  Sizeable = true;
  MinWidth = kWindowWidth;
  MinHeight = kWindowHeight;
  SetWindowState(TWindowState::wsMinimized);

  buildComponents();
  PopupMenu = TPopupMenu1;

  PageControl1 = new TPageControl(this);
  PageControl1->SetName("PageControl1");
  PageControl1->SetBounds(0, 0, kWindowWidth, kWindowHeight);
  PageControl1->SetParent(this);
  TabSheet1 = new TTabSheet(this, PageControl1);
  TabSheet1->SetName("TabSheet1");
  TabSheet1->SetCaption("Action");
  TabSheet2 = new TTabSheet(this, PageControl1);
  TabSheet2->SetName("TabSheet2");
  TabSheet2->SetCaption("Configuration");
  TabSheet3 = new TTabSheet(this, PageControl1);
  TabSheet3->SetName("TabSheet3");
  TabSheet3->SetCaption("Startup Manager");
  TabSheet3->PopupMenu = TPopupMenu1;
  TabSheet3->OnShow = [this](TObject* sender) { TabSheet3Show(sender); };
  TabSheet4 = new TTabSheet(this, PageControl1);
  TabSheet4->SetName("TabSheet4");
  TabSheet4->SetCaption("Information");
  TabSheet5 = new TTabSheet(this, PageControl1);
  TabSheet5->SetName("TabSheet5");
  TabSheet5->SetCaption("Free Memory");
  TabSheet5->OnShow = [this](TObject*) { makeFreeMemoryPage(); };
  TabSheet6 = new TTabSheet(this, PageControl1);
  TabSheet6->SetName("TabSheet6");
  TabSheet6->SetCaption("History");
  TabSheet6->OnShow = [this](TObject*) {
    makeHistoryPage();
    drawChart();
  };
  PageControl1->UpdateTabs();

  buildActionPage();
  buildConfigurationPage();
  buildInformationPage();
  hotkeyHook_ = Application()->HookMainWindow([this](TMessage& message) {
    if (message.Msg != platform::kWmHotKey || message.WParam != kFreeAllHotkeyId) {
      return false;
    }
    // As the tray menu's Free All: the chosen regions, the pass and the balloon. A press while one runs is
    // ignored, also one that waited while its pass held this thread: the timer runs until its first tick
    // after the end, and WM_TIMER comes only once no posted message, such as WM_HOTKEY, waits.
    if (!FreeAllTimer->Enabled()) {
      startFreeAll(PassKind::Hotkey);
    }
    return true;
  });
  PageControl1->SetActivePage(TabSheet3);

  OnCreate = [this](TObject* sender) { FormCreate(sender); };
  OnShow = [this](TObject* sender) { FormShow(sender); };
  OnResize = [this](TObject* sender) { FormResize(sender); };
  OnDestroy = [this](TObject* sender) { FormDestroy(sender); };
  listenToLaterStarts();
}

TfrmVantrel::~TfrmVantrel() {
  // A later start's command must not reach a window on its way out (its exit may still show a box).
  Application()->OnCopyData = nullptr;
  Application()->UnhookMainWindow(hotkeyHook_);
  BeforeDestruction();
}

void TfrmVantrel::buildComponents() {
  taskCall_ = new TBackgroundCall(this, services_.workers->NewWorker());
  elevationCall_ = new TBackgroundCall(this, services_.workers->NewWorker());
  Timer1 = new TTimer(this);
  Timer1->SetName("Timer1");
  Timer1->SetOnTimer([this](TObject* sender) { Timer1Timer(sender); });
  Timer2 = new TTimer(this);
  Timer2->SetName("Timer2");
  Timer2->SetOnTimer([this](TObject* sender) { Timer2Timer(sender); });
  Timer3 = new TTimer(this);
  Timer3->SetName("Timer3");
  Timer3->SetInterval(100);
  Timer3->SetOnTimer([this](TObject* sender) { Timer3Timer(sender); });
  HandedPassTimer = new TTimer(this);
  HandedPassTimer->SetName("HandedPassTimer");
  HandedPassTimer->SetEnabled(false);
  HandedPassTimer->SetInterval(kHandedPassDelay);
  HandedPassTimer->SetOnTimer([this](TObject* sender) { HandedPassTimerTimer(sender); });
  FreeAllTimer = new TTimer(this);
  FreeAllTimer->SetName("FreeAllTimer");
  FreeAllTimer->SetEnabled(false);
  FreeAllTimer->SetInterval(kFreeAllPoll);
  FreeAllTimer->SetOnTimer([this](TObject* sender) { FreeAllTimerTimer(sender); });
  WatchTimer = new TTimer(this);
  WatchTimer->SetName("WatchTimer");
  WatchTimer->SetEnabled(false);
  WatchTimer->SetInterval(static_cast<std::uint32_t>(kWatchLength / (kFileTimeSecond / 1000)));
  WatchTimer->SetOnTimer([this](TObject* sender) { WatchTimerTimer(sender); });

  MaxMem1 = new TMaxMem(this, *services_.memory);
  MaxMem1->SetName("MaxMem1");
  MaxMem1->OnBeforeDefrag = [this](TObject* sender) { MaxMem1BeforeDefrag(sender); };
  MaxMem1->OnProgress = [this](TObject* sender, std::int32_t progress) { MaxMem1Progress(sender, progress); };
  MaxMem1->OnAfterDefrag = [this](TObject* sender) { MaxMem1AfterDefrag(sender); };

  TPopupMenu1 = new TPopupMenu(this);
  TPopupMenu1->SetName("TPopupMenu1");
  SShow = menuItem(this, TPopupMenu1, "SShow", "&Show/Hide");
  SShow->OnClick = [this](TObject* sender) { SShow_oldClick(sender); };
  SEnable = menuItem(this, TPopupMenu1, "SEnable", "&Enable/Disable");
  SEnable->Checked = true;
  SEnable->OnClick = [this](TObject* sender) { SEnable_oldClick(sender); };
  CustomItem2 = menuItem(this, TPopupMenu1, "CustomItem2", "-");
  FMax = menuItem(this, TPopupMenu1, "FMax", "Free &All");
  FMax->OnClick = [this](TObject*) { userPass(kWholeMemoryPass, PassKind::Menu); };
  CustomItem1 = menuItem(this, TPopupMenu1, "CustomItem1", "-");
  CustomItem3 = menuItem(this, TPopupMenu1, "CustomItem3", "Eject CDROM");
  CustomItem3->OnClick = [this](TObject* sender) { CustomItem3Click(sender); };
  Bye = menuItem(this, TPopupMenu1, "Bye", "Inject CDROM");
  Bye->OnClick = [this](TObject* sender) { ByeClick(sender); };
  CustomItem4 = menuItem(this, TPopupMenu1, "CustomItem4", "Close");
  CustomItem4->OnClick = [this](TObject* sender) { CustomItem4Click(sender); };

  ImageList1 = new TImageList(this);
  ImageList1->SetName("ImageList1");
  ImageList1->AddIcon(TIcon{kIconReclaiming});
  buildTrayIcon();
}

// Applied in the order a stored form applies them: the icon is added while they are, and image 0 of
// ImageList1 is what it shows.
void TfrmVantrel::buildTrayIcon() {
  TextTrayIcon1 = new TFreeMemoryTrayIcon(this);
  TextTrayIcon1->SetName("TextTrayIcon1");
  TextTrayIcon1->SetIconList(ImageList1);
  TextTrayIcon1->SetCycleInterval(0);
  TextTrayIcon1->SetIcon(TIcon{kIconProgram});
  TextTrayIcon1->SetIconVisible(true);
  TextTrayIcon1->SetIconIndex(0);
  TextTrayIcon1->PopupMenu = TPopupMenu1;
  TextTrayIcon1->MinimizeToTray = true;
  TextTrayIcon1->OnClick = [this](TObject* sender) { TextTrayIcon1Click(sender); };
  TextTrayIcon1->OnMinimizeToTray = [this](TObject* sender) { TextTrayIcon1MinimizeToTray(sender); };
  // Each of these draws the icon anew: from here on the tray shows the background with the (empty) text.
  TextTrayIcon1->SetBackgroundIcon(TIcon{kIconTrayBackground});
  TextTrayIcon1->SetFont(font("MS Sans Serif", -11, 0, clWindowText));
  TextTrayIcon1->SetBorder(false);
  TextTrayIcon1->Options().SetOffsetX(-1);
  TextTrayIcon1->Options().SetOffsetY(-2);
  TextTrayIcon1->Options().SetLineDistance(0);
}

void TfrmVantrel::buildActionPage() {
  TWinControl* page = TabSheet1;
  Gauge1 = bar(this, page, "Gauge1", 12, 12, 216, 20);
  Label1 = NewLabel(this, page, "Label1", "free", 232, 14, 72);
  Label1->Alignment = TAlignment::taRightJustify;
  Label2 = NewLabel(this, page, "Label2", "Free, Total", 312, 14, 64);
  Label3 = NewLabel(this, page, "Label3", "total", 380, 14, 60);

  Label9 = NewLabel(this, page, "Label9", "left click tray icon to do :", 12, 52, 172);
  ComboBox1 = new TComboBox(this);
  ComboBox1->SetName("ComboBox1");
  ComboBox1->SetItems({"Free 4 MB", "Free 8 MB", "Free 16 MB", "Free 32 MB", "Free 64 MB", "Free 128 MB",
                       "Free 256 MB", "Free 320 MB", "Free All", "Show /Hide"});
  ComboBox1->SetCaption("ComboBox1");
  ComboBox1->SetBounds(188, 48, 132, 220);
  ComboBox1->SetParent(page);

  Label16 = NewLabel(this, page, "Label16", "Update graphics every", 12, 88, 144);
  edtGRFSH = NewSpinEdit(this, page, "edtGRFSH", 1, 6, "1", 160, 84, 48);
  Label10 = NewLabel(this, page, "Label10", "second(s)", 214, 88, 80);

  Label20 = NewLabel(this, page, "Label20", "Current CPU Usage :", 12, 124, 144);
  Gauge2 = bar(this, page, "Gauge2", 160, 122, 216, 20);

  Label21 = NewLabel(this, page, "Label21", "Update tray icon every ", 12, 160, 144);
  edtTRFSH = NewSpinEdit(this, page, "edtTRFSH", 1, 6, "1", 160, 156, 48);
  Label22 = NewLabel(this, page, "Label22", "second(s)", 214, 160, 80);

  CheckBox2 = NewCheckBox(this, page, "CheckBox2", "Auto Start with Windows", 12, 194);
  CheckBox2->OnClick = [this](TObject* sender) { CheckBox2Click(sender); };
  Label13 = NewLabel(this, page, "Label13", "Auto Start with Windows", 32, 195, 200);
  Label13->FocusControl = CheckBox2;
  // In the free row between the box and the button.
  lblCommit = NewLabel(this, page, "lblCommit", "", 12, 214, 428);

  ProgressBar1 = bar(this, page, "ProgressBar1", 12, 240, 240, 20);
  btnFreeAll = new TSpeedButton(this);
  btnFreeAll->SetName("btnFreeAll");
  btnFreeAll->SetCaption("Free all wasted memory");
  btnFreeAll->SetBounds(264, 234, 168, 30);
  btnFreeAll->OnClick = [this](TObject* sender) { btnFreeAllClick(sender); };
  btnFreeAll->SetParent(page);

  Label15 = NewLabel(this, page, "Label15", "1", 400, 196, 20);
  Label15->SetVisible(false);
}

void TfrmVantrel::buildConfigurationPage() {
  TWinControl* page = TabSheet2;
  CheckBox1 = NewCheckBox(this, page, "CheckBox1", "If physics memory less than", 12, 14);
  CheckBox1->OnClick = [this](TObject* sender) { CheckBox1Click(sender); };
  Label5 = NewLabel(this, page, "Label5", "If physics memory less than", 32, 15, 168);
  Label5->FocusControl = CheckBox1;
  edtMin = NewSpinEdit(this, page, "edtMin", 1, 512, "6", 204, 11, 64);
  Label6 = NewLabel(this, page, "Label6", "MB then auto free it", 274, 15, 150);

  Label4 = NewLabel(this, page, "Label4", "Check memory interval:", 12, 52, 144);
  edtCMI = NewSpinEdit(this, page, "edtCMI", 1, 6, "1", 160, 48, 48);
  Label7 = NewLabel(this, page, "Label7", "second(s)", 214, 52, 80);

  Label8 = NewLabel(this, page, "Label8", "Free memory until available physics memory reach:", 12, 84, 180);
  Label8->WordWrap = true;
  Label8->SetBounds(12, 84, 180, 32);
  listMax = new TListBox(this);
  listMax->SetName("listMax");
  listMax->SetItems({"8 MB",   "10 MB",  "12 MB",  "14 MB",  "16 MB",  "18 MB",  "20 MB",  "24 MB",
                     "28 MB",  "32 MB",  "36 MB",  "40 MB",  "44 MB",  "48 MB",  "56 MB",  "64 MB",
                     "72 MB",  "80 MB",  "88 MB",  "96 MB",  "104 MB", "112 MB", "120 MB", "128 MB",
                     "160 MB", "192 MB", "224 MB", "256 MB", "320 MB"});
  listMax->SetBounds(12, 120, 160, 150);
  listMax->OnClick = [this](TObject* sender) { listMaxClick(sender); };
  listMax->SetParent(page);

  Label14 = NewLabel(this, page, "Label14", "Auto free memory when", 220, 92, 200);
  Label17 = NewLabel(this, page, "Label17", "CPU usage <", 236, 124, 76);
  edtCPU = NewSpinEdit(this, page, "edtCPU", 1, 100, "80", 316, 120, 52);
  Label19 = NewLabel(this, page, "Label19", "%", 374, 124, 20);
  Label24 = NewLabel(this, page, "Label24", "for", 236, 160, 76);
  edtWAIT = NewSpinEdit(this, page, "edtWAIT", 1, 30, "1", 316, 156, 52);
  Label18 = NewLabel(this, page, "Label18", "second(s)", 374, 160, 66);
  Label11 = NewLabel(this, page, "Label11", "Try to reach the target", 220, 200, 140);
  edtTRYT = NewSpinEdit(this, page, "edtTRYT", 1, 3, "1", 364, 196, 40);
  Label12 = NewLabel(this, page, "Label12", "times", 408, 200, 34);

  lblTARGET = NewLabel(this, page, "lblTARGET", "1", 220, 250, 40);
  lblTARGET->SetVisible(false);
}

void TfrmVantrel::TabSheet3Show(TObject*) {
  if (!StartupManagerPage) {
    StartupManagerPage = new TStartupPage(*this, *TabSheet3, services_,
                                          {kIconStartupEntry, kGlyphAdd, kGlyphDelete, kGlyphDown, kGlyphUp},
                                          LayOutStartupPage(Width(), Height()), hideWindowsEntries_);
    StartupManagerPage->OnTaskSwitched = [this](const TaskEntry& task) { taskSwitchedOnPage(task); };
  }
  StartupManagerPage->Fill();
}

void TfrmVantrel::buildInformationPage() {
  TWinControl* page = TabSheet4;
  Label26 = NewLabel(this, page, "Label26", kProductLine, 0, 64, kPageWidth);
  Label26->SetFont(font("Bell MT", -24, fsBold | fsItalic, clBlue));
  Label26->SetBounds(0, 64, kPageWidth, 32);
  Label26->Alignment = TAlignment::taCenter;
  Label27 = NewLabel(this, page, "Label27", kCopyrightLine, 0, 124, kPageWidth);
  Label27->SetFont(font("Brush Script MT", -21, fsItalic, clRed));
  Label27->SetBounds(0, 124, kPageWidth, 30);
  Label27->Alignment = TAlignment::taCenter;
  Label23 = NewLabel(this, page, "Label23", kWebSite, 0, 182, kPageWidth);
  Label23->SetFont(font("Tempus Sans ITC", -16, fsBold | fsItalic, clBlue));
  Label23->SetBounds(0, 182, kPageWidth, 24);
  Label23->Alignment = TAlignment::taCenter;
  Label23->Cursor = TCursor::crHandPoint;
  Label23->ShowHint = true;
  Label23->SetHint("Visit Our WebSite");
  Label23->OnClick = [this](TObject* sender) { Label23Click(sender); };
}

void TfrmVantrel::makeFreeMemoryPage() {
  if (FreeMemoryPage) {
    return;
  }
  FreeMemoryPage = new TFreeMemoryPage(this, TabSheet5, *services_.systemMemory, osVersion(),
                                       services_.windowSystem->GetTokenElevation(), freeAllHotkey_,
                                       freeMemorySettings(), kProductLine);
  FreeMemoryPage->OnRestartElevated = [this](TObject* sender) { btnRestartElevatedClick(sender); };
  FreeMemoryPage->OnLogonTaskClick = [this](TObject* sender) { chkLogonTaskClick(sender); };
  showLogonTaskBox();
}

void TfrmVantrel::showLogonTaskBox() {
  if (FreeMemoryPage) {
    FreeMemoryPage->chkLogonTask->SetChecked(logonTask_);
  }
}

bool TfrmVantrel::logonTaskChangeable() const {
  return MayChangeLogonTask(osVersion(), services_.windowSystem->GetTokenElevation());
}

void TfrmVantrel::makeHistoryPage() {
  if (HistoryPage) {
    return;
  }
  HistoryPage = new THistoryPage(this, TabSheet6, *services_.gdi, *services_.timeOfDay, pageSize_);
  HistoryPage->chkLog->SetChecked(log_);
  HistoryPage->lblLogFailed->SetCaption(logFailure_);
  FormResize(this);
  showPasses();
}

void TfrmVantrel::FormResize(TObject*) {
  PageControl1->SetBounds(0, 0, Width(), Height());
  for (TTabSheet* page : PageControl1->Pages()) {
    page->SetBounds(0, 0, Width(), Height());
  }
  if (StartupManagerPage) {
    StartupManagerPage->LayOut(LayOutStartupPage(Width(), Height()));
  }
  if (HistoryPage) {
    HistoryPage->LayOut(std::max(Width(), kWindowWidth) - kWindowWidth,
                        std::max(Height(), kWindowHeight) - kWindowHeight);
  }
}

}  // namespace vantrel
