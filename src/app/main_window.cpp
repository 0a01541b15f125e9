// The window as it is laid out: every control with its place, caption, range and handler, and the components
// the window owns. Positions are in pixels of the tab pages' client areas.
#include "app/main_window.h"

#include <algorithm>

#include "app/resources.h"
#include "app/window_layout.h"
#include "app/window_settings.h"
#include "memory/memory_regions.h"
#include "platform/unicode.h"
#include "program/command_line.h"
#include "program/product.h"

namespace vantrel {

namespace {

constexpr int kPageWidth = 444;
constexpr int kRowHeight = 16;
constexpr int kEditHeight = 22;
// A handed-over pass starts this many ms after its hand-over was answered.
constexpr std::uint32_t kHandedPassDelay = 10;
// How often the window thread looks whether a Free All's regions have ended, in ms.
constexpr std::uint32_t kFreeAllPoll = 100;
constexpr int kRegionPitch = 32;
constexpr char kNeedsAdministrator[] = "(needs administrator)";
constexpr char kNotOnThisWindows[] = "(not on this Windows)";

struct RegionText {
  const char* name;
  const char* caption;
  // What it does and what it costs, in one short line.
  const char* note;
};
// By Region.
constexpr std::array<RegionText, kRegionCount> kRegionTexts = {{
    {"WorkingSets", "Working sets of all programs",
     "Trims programs' memory; they read it back from disk when they need it."},
    {"FileCache", "System file cache", "Empties the file cache; files open more slowly until cached again."},
    {"StandbyLowPriority", "Standby list (low priority)",
     "Drops cached pages that Windows holds at low priority; costs little."},
    {"Standby", "Whole standby list",
     "Drops all cached pages. May freeze Windows a minute; never automatic."},
    {"ModifiedList", "Modified page list",
     "Writes changed pages out. May freeze Windows a minute; never automatic."},
}};

TLabel* label(TComponent* owner, TWinControl* parent, const std::string& name, const char* caption, int left,
              int top, int width) {
  auto* control = new TLabel(owner);
  control->SetName(name);
  control->SetCaption(caption);
  control->SetBounds(left, top, width, kRowHeight);
  control->SetParent(parent);
  return control;
}

TSpinEdit* spinEdit(TComponent* owner, TWinControl* parent, const char* name, std::int32_t minValue,
                    std::int32_t maxValue, const char* text, int left, int top, int width) {
  auto* edit = new TSpinEdit(owner);
  edit->SetName(name);
  edit->SetMinValue(minValue);
  edit->SetMaxValue(maxValue);
  edit->SetText(text);
  edit->SetBounds(left, top, width, kEditHeight);
  edit->SetParent(parent);
  return edit;
}

TProgressBar* bar(TComponent* owner, TWinControl* parent, const char* name, int left, int top, int width,
                  int height) {
  auto* control = new TProgressBar(owner);
  control->SetName(name);
  control->SetRange(0, 100);
  control->SetBounds(left, top, width, height);
  control->SetParent(parent);
  return control;
}

// A check box whose text is shown by a label beside it; the box carries the same text for screen readers,
// and a click on the label toggles the box.
TCheckBox* checkBox(TComponent* owner, TWinControl* parent, const std::string& name, const char* caption,
                    int left, int top) {
  auto* box = new TCheckBox(owner);
  box->SetName(name);
  box->SetCaption(caption);
  box->SetBounds(left, top, 16, 18);
  box->SetParent(parent);
  return box;
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

const char* scopeColumn(const TListRow& row) {
  return row.SubItems.empty() ? "" : row.SubItems.front().c_str();
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
  list->SetColumns({{firstColumn, 128}, {"Scope", 100}, {kPublisherColumn, 120}, {"Program", 900}});
  list->Greyed = [list](const TListRow& row, int column) { return GreyedCell(*list, row, column); };
  setBounds(list, bounds);
  list->SetParent(parent);
  return list;
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
  TabSheet6 = new TTabSheet(this, PageControl1);
  TabSheet6->SetName("TabSheet6");
  TabSheet6->SetCaption("History");
  TabSheet6->OnShow = [this](TObject*) { drawChart(); };
  PageControl1->UpdateTabs();

  buildActionPage();
  buildConfigurationPage();
  buildStartupManagerPage();
  buildInformationPage();
  buildFreeMemoryPage();
  buildHistoryPage();
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
  ImageList2 = new TImageList(this);
  ImageList2->SetName("ImageList2");
  ImageList2->AddIcon(TIcon{kIconStartupEntry});

  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->SetName("OpenDialog1");
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
  Label1 = label(this, page, "Label1", "free", 232, 14, 72);
  Label1->Alignment = TAlignment::taRightJustify;
  Label2 = label(this, page, "Label2", "Free, Total", 312, 14, 64);
  Label3 = label(this, page, "Label3", "total", 380, 14, 60);

  Label9 = label(this, page, "Label9", "left click tray icon to do :", 12, 52, 172);
  ComboBox1 = new TComboBox(this);
  ComboBox1->SetName("ComboBox1");
  ComboBox1->SetItems({"Free 4 MB", "Free 8 MB", "Free 16 MB", "Free 32 MB", "Free 64 MB", "Free 128 MB",
                       "Free 256 MB", "Free 320 MB", "Free All", "Show /Hide"});
  ComboBox1->SetCaption("ComboBox1");
  ComboBox1->SetBounds(188, 48, 132, 220);
  ComboBox1->SetParent(page);

  Label16 = label(this, page, "Label16", "Update graphics every", 12, 88, 144);
  edtGRFSH = spinEdit(this, page, "edtGRFSH", 1, 6, "1", 160, 84, 48);
  Label10 = label(this, page, "Label10", "second(s)", 214, 88, 80);

  Label20 = label(this, page, "Label20", "Current CPU Usage :", 12, 124, 144);
  Gauge2 = bar(this, page, "Gauge2", 160, 122, 216, 20);

  Label21 = label(this, page, "Label21", "Update tray icon every ", 12, 160, 144);
  edtTRFSH = spinEdit(this, page, "edtTRFSH", 1, 6, "1", 160, 156, 48);
  Label22 = label(this, page, "Label22", "second(s)", 214, 160, 80);

  CheckBox2 = checkBox(this, page, "CheckBox2", "Auto Start with Windows", 12, 194);
  CheckBox2->OnClick = [this](TObject* sender) { CheckBox2Click(sender); };
  Label13 = label(this, page, "Label13", "Auto Start with Windows", 32, 195, 200);
  Label13->FocusControl = CheckBox2;

  ProgressBar1 = bar(this, page, "ProgressBar1", 12, 240, 240, 20);
  btnFreeAll = new TSpeedButton(this);
  btnFreeAll->SetName("btnFreeAll");
  btnFreeAll->SetCaption("Free all wasted memory");
  btnFreeAll->SetBounds(264, 234, 168, 30);
  btnFreeAll->OnClick = [this](TObject* sender) { btnFreeAllClick(sender); };
  btnFreeAll->SetParent(page);

  Label15 = label(this, page, "Label15", "1", 400, 196, 20);
  Label15->SetVisible(false);
}

void TfrmVantrel::buildConfigurationPage() {
  TWinControl* page = TabSheet2;
  CheckBox1 = checkBox(this, page, "CheckBox1", "If physics memory less than", 12, 14);
  CheckBox1->OnClick = [this](TObject* sender) { CheckBox1Click(sender); };
  Label5 = label(this, page, "Label5", "If physics memory less than", 32, 15, 168);
  Label5->FocusControl = CheckBox1;
  edtMin = spinEdit(this, page, "edtMin", 1, 512, "6", 204, 11, 64);
  Label6 = label(this, page, "Label6", "MB then auto free it", 274, 15, 150);

  Label4 = label(this, page, "Label4", "Check memory interval:", 12, 52, 144);
  edtCMI = spinEdit(this, page, "edtCMI", 1, 6, "1", 160, 48, 48);
  Label7 = label(this, page, "Label7", "second(s)", 214, 52, 80);

  Label8 = label(this, page, "Label8", "Free memory until available physics memory reach:", 12, 84, 180);
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

  Label14 = label(this, page, "Label14", "Auto free memory when", 220, 92, 200);
  Label17 = label(this, page, "Label17", "CPU usage <", 236, 124, 76);
  edtCPU = spinEdit(this, page, "edtCPU", 1, 100, "80", 316, 120, 52);
  Label19 = label(this, page, "Label19", "%", 374, 124, 20);
  Label24 = label(this, page, "Label24", "for", 236, 160, 76);
  edtWAIT = spinEdit(this, page, "edtWAIT", 1, 30, "1", 316, 156, 52);
  Label18 = label(this, page, "Label18", "second(s)", 374, 160, 66);
  Label11 = label(this, page, "Label11", "Try to reach the target", 220, 200, 140);
  edtTRYT = spinEdit(this, page, "edtTRYT", 1, 3, "1", 364, 196, 40);
  Label12 = label(this, page, "Label12", "times", 408, 200, 34);

  lblTARGET = label(this, page, "lblTARGET", "1", 220, 250, 40);
  lblTARGET->SetVisible(false);
}

void TfrmVantrel::buildStartupManagerPage() {
  TWinControl* page = TabSheet3;
  const StartupLayout layout = LayOutStartupPage(kWindowWidth, kWindowHeight);
  ListView1 = startupList(this, page, "ListView1", "Auto Run Items", ImageList2, layout.Live);
  buildStatusColumn();

  Panel1 = new TPanel(this);
  Panel1->SetName("Panel1");
  Panel1->Color = clSilver;
  setBounds(Panel1, layout.Panel);
  Panel1->SetParent(page);
  SpeedButton3 = glyphButton(this, Panel1, "SpeedButton3", "Add a item to AutoRun Group", kGlyphAdd, 4);
  SpeedButton3->OnClick = [this](TObject* sender) { SpeedButton3Click(sender); };
  SpeedButton4 =
      glyphButton(this, Panel1, "SpeedButton4", "direct delete a item from AutoRun Group", kGlyphDelete, 24);
  SpeedButton4->OnClick = [this](TObject* sender) { SpeedButton4Click(sender); };
  SpeedButton1 =
      glyphButton(this, Panel1, "SpeedButton1", "delete a AutoRun item to backup Group", kGlyphDown, 44);
  SpeedButton1->OnClick = [this](TObject* sender) { SpeedButton1Click(sender); };
  SpeedButton2 = glyphButton(this, Panel1, "SpeedButton2", "Restore Backuped AutoRun Item which you Selected",
                             kGlyphUp, 64);
  SpeedButton2->OnClick = [this](TObject* sender) { SpeedButton2Click(sender); };
  SpeedButton5 =
      glyphButton(this, Panel1, "SpeedButton5", "delete a item from Backup Group", kGlyphDelete, 84);
  SpeedButton5->OnClick = [this](TObject* sender) { SpeedButton5Click(sender); };

  ListView2 = startupList(this, page, "ListView2", "Backuped Items", ImageList2, layout.Backup);
  for (TListView* list : {ListView1, ListView2}) {
    // By name, then by scope.
    list->Compare = [this](const TListRow& a, const TListRow& b) {
      const int byName =
          services_.locale->lstrcmpW(Utf8ToUtf16(a.Caption).c_str(), Utf8ToUtf16(b.Caption).c_str());
      return byName != 0 ? byName
                         : services_.locale->lstrcmpW(Utf8ToUtf16(scopeColumn(a)).c_str(),
                                                      Utf8ToUtf16(scopeColumn(b)).c_str());
    };
  }
  Publishers = new TPublisherColumn(
      this, {*services_.fileSystem, *services_.registry, services_.process->IsWow64Process()}, *ListView1,
      *ListView2);
  buildRowMenus();
}

void TfrmVantrel::buildInformationPage() {
  TWinControl* page = TabSheet4;
  Label26 = label(this, page, "Label26", kProductLine, 0, 64, kPageWidth);
  Label26->SetFont(font("Bell MT", -24, fsBold | fsItalic, clBlue));
  Label26->SetBounds(0, 64, kPageWidth, 32);
  Label26->Alignment = TAlignment::taCenter;
  Label27 = label(this, page, "Label27", kCopyrightLine, 0, 124, kPageWidth);
  Label27->SetFont(font("Brush Script MT", -21, fsItalic, clRed));
  Label27->SetBounds(0, 124, kPageWidth, 30);
  Label27->Alignment = TAlignment::taCenter;
  Label23 = label(this, page, "Label23", kWebSite, 0, 182, kPageWidth);
  Label23->SetFont(font("Tempus Sans ITC", -16, fsBold | fsItalic, clBlue));
  Label23->SetBounds(0, 182, kPageWidth, 24);
  Label23->Alignment = TAlignment::taCenter;
  Label23->Cursor = TCursor::crHandPoint;
  Label23->ShowHint = true;
  Label23->SetHint("Visit Our WebSite");
  Label23->OnClick = [this](TObject* sender) { Label23Click(sender); };
}

void TfrmVantrel::buildFreeMemoryPage() {
  TWinControl* page = TabSheet5;
  const platform::OsVersionInfo version = osVersion();
  for (std::size_t index = 0; index < kRegionCount; ++index) {
    const Region region = static_cast<Region>(index);
    const RegionText& text = kRegionTexts[index];
    const int top = 6 + static_cast<int>(index) * kRegionPitch;
    TCheckBox* box = checkBox(this, page, std::string("chk") + text.name, text.caption, 12, top);
    box->SetChecked(kDefaultRegions[index]);
    box->OnClick = [this, region](TObject*) { RegionBoxClick(region); };
    TLabel* caption = label(this, page, std::string("lbl") + text.name, text.caption, 32, top + 1, 176);
    caption->FocusControl = box;
    TLabel* reason = label(this, page, std::string("lbl") + text.name + "Reason", "", 212, top + 1, 220);
    // Kept as chosen: a Free All names it among what could not run.
    if (const std::optional<RegionBlock> block = RegionBlocked(*services_.systemMemory, version, region)) {
      box->SetEnabled(false);
      caption->SetEnabled(false);
      reason->SetCaption(*block == RegionBlock::NeedsAdministrator ? kNeedsAdministrator : kNotOnThisWindows);
    }
    RegionBoxes[index] = box;
    RegionLabels[index] = caption;
    RegionReasons[index] = reason;
    RegionNotes[index] =
        label(this, page, std::string("lbl") + text.name + "Note", text.note, 32, top + 16, kPageWidth - 36);
  }

  CheckBox3 = checkBox(this, page, "CheckBox3", "Free the chosen regions when free memory is low", 12, 176);
  Label28 = label(this, page, "Label28", "When free memory falls below", 32, 177, 166);
  Label28->FocusControl = CheckBox3;
  edtBelowPercent = spinEdit(this, page, "edtBelowPercent", kBelowPercentMin, kBelowPercentMax,
                             std::to_string(kBelowPercentShown).c_str(), 200, 173, 48);
  Label29 = label(this, page, "Label29", "% of the total,", 254, 177, 120);
  Label30 = label(this, page, "Label30", "free the chosen regions, at most once every", 32, 204, 246);
  edtCooldown = spinEdit(this, page, "edtCooldown", kCooldownMin, kCooldownMax,
                         std::to_string(kCooldownDefault).c_str(), 280, 200, 56);
  Label31 = label(this, page, "Label31", "minutes", 342, 204, 80);

  btnRestartElevated = new TSpeedButton(this);
  btnRestartElevated->SetName("btnRestartElevated");
  btnRestartElevated->SetCaption("Restart as administrator");
  btnRestartElevated->Flat = false;
  btnRestartElevated->Shield = true;
  btnRestartElevated->SetBounds(12, 234, 196, 28);
  btnRestartElevated->OnClick = [this](TObject* sender) { btnRestartElevatedClick(sender); };
  // Before Vista there is no elevation to ask for: an administrator has the rights already.
  const bool vista = platform::VistaOrLater(version);
  const bool elevated = services_.windowSystem->GetTokenElevation();
  btnRestartElevated->SetVisible(vista && !elevated);
  btnRestartElevated->SetParent(page);

  chkHotkey = checkBox(this, page, "chkHotkey", "Hotkey for Free All", 216, 240);
  chkHotkey->OnClick = [this](TObject* sender) { chkHotkeyClick(sender); };
  lblHotkey = label(this, page, "lblHotkey", "Hotkey for Free All", 236, 241, 104);
  lblHotkey->FocusControl = chkHotkey;
  hkFreeAll = new THotKey(this);
  hkFreeAll->SetName("hkFreeAll");
  hkFreeAll->SetBounds(340, 237, 96, kEditHeight);
  hkFreeAll->OnChange = [this](TObject* sender) { hkFreeAllChange(sender); };
  hkFreeAll->SetParent(page);

  constexpr char kLogonTaskCaption[] = "Start as administrator at log-on (no prompt)";
  chkLogonTask = checkBox(this, page, "chkLogonTask", kLogonTaskCaption, 12, 266);
  chkLogonTask->OnClick = [this](TObject* sender) { chkLogonTaskClick(sender); };
  lblLogonTask = label(this, page, "lblLogonTask", kLogonTaskCaption, 32, 267, 400);
  lblLogonTask->FocusControl = chkLogonTask;
  // The Task Scheduler registers a task at the highest run level only for an elevated caller.
  chkLogonTask->SetEnabled(vista && elevated);
  lblLogonTask->SetEnabled(vista && elevated);
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
}

void TfrmVantrel::buildHistoryPage() {
  TWinControl* page = TabSheet6;
  imgHistory = new TImage(this);
  imgHistory->SetName("imgHistory");
  imgHistory->SetParent(page);
  ListView3 = new TListView(this);
  ListView3->SetName("ListView3");
  ListView3->RowSelect = true;
  ListView3->ReadOnly = true;
  ListView3->SetColumns(
      {{"Time", 60}, {"Kind", 76}, {"Freed", 52}, {"Back in use", 80}, {"Read from disk", 128}});
  ListView3->SetParent(page);
  chkLog = checkBox(this, page, "chkLog", "Keep a log file", 12, 0);
  lblLog = label(this, page, "lblLog", "Keep a log file", 32, 0, 100);
  lblLog->FocusControl = chkLog;
  lblLogFailed = label(this, page, "lblLogFailed", "", 140, 0, kPageWidth - 144);
  layOutHistoryPage(kWindowWidth, kWindowHeight);
}

// The chart and the list take the page's width; the list takes the height the window gained.
void TfrmVantrel::layOutHistoryPage(int width, int height) {
  const int wider = std::max(width, kWindowWidth) - kWindowWidth;
  const int taller = std::max(height, kWindowHeight) - kWindowHeight;
  imgHistory->SetBounds(12, 8, kPageWidth - 24 + wider, 110);
  ListView3->SetBounds(12, 124, kPageWidth - 24 + wider, 108 + taller);
  chkLog->SetBounds(12, 240 + taller, 16, 18);
  lblLog->SetBounds(32, 241 + taller, 100, kRowHeight);
  lblLogFailed->SetBounds(140, 241 + taller, kPageWidth - 144 + wider, kRowHeight);
}

void TfrmVantrel::FormResize(TObject*) {
  PageControl1->SetBounds(0, 0, Width(), Height());
  for (TTabSheet* page : PageControl1->Pages()) {
    page->SetBounds(0, 0, Width(), Height());
  }
  const StartupLayout layout = LayOutStartupPage(Width(), Height());
  setBounds(ListView1, layout.Live);
  setBounds(Panel1, layout.Panel);
  setBounds(ListView2, layout.Backup);
  layOutHistoryPage(Width(), Height());
}

}  // namespace vantrel
