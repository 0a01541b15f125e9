// Start-up, show and shutdown of the main window, and its settings file.
#include <string>

#include "app/main_window.h"
#include "app/window_settings.h"
#include "figures/figures.h"
#include "figures/tray_texts.h"
#include "framework/ini_file.h"
#include "framework/sysutils.h"
#include "platform/unicode.h"
#include "program/product.h"
#include "program/settings_location.h"

namespace vantrel {

namespace {

constexpr char kSection[] = "Vantrel";
constexpr char kHistorySection[] = "History";
constexpr char kLogKey[] = "Log";
constexpr int kDefaultTargetRow = 4;

// A key of the settings file and the value it stands for while the file has none.
struct Key {
  const char* name;
  std::int32_t fallback;
};
constexpr Key kIDX{"IDX", -1};
constexpr Key kCMI{"CMI", 1};
constexpr Key kMIN{"MIN", 6};
constexpr Key kTRYT{"TRYT", 1};
constexpr Key kGRFSH{"GRFSH", 1};
constexpr Key kCPU{"CPU", 80};
constexpr Key kWAIT{"WAIT", 1};
constexpr Key kTRFSH{"TRFSH", 1};
constexpr Key kTarget{"Target", 16};
constexpr Key kAutoRun{"AutoRun", 1};
constexpr Key kAutoFree{"AutoFree", 1};
constexpr Key kLCLK{"LCLK", 4};

std::int32_t read(TIniFile& ini, const Key& key) {
  return ini.ReadInteger(kSection, key.name, key.fallback);
}

// The file's form of a check box: 1 checked, -1 not.
std::int32_t onOff(bool checked) {
  return checked ? 1 : -1;
}

// Runs a step of the start-up that calls a handler: one that fails says nothing and stops no other step.
template <typename Step>
void quietly(Step step) {
  try {
    step();
  } catch (const std::exception&) {
  }
}

}  // namespace

void TfrmVantrel::FormCreate(TObject*) {
  const std::int64_t total = MaxMem1->TotalMemory();
  const Bounds bounds = ThresholdBounds(total);
  edtMin->SetMinValue(bounds.lower);
  edtMin->SetMaxValue(bounds.upper);
  TIniFile ini(*services_.profile,
               LocateSettings(*services_.fileSystem, *services_.fileSecurity, executable()).read);
  Label3->SetCaption(IntToStr(WholeMegabytes(total)) + "MB");
  const char separator = Application()->DecimalSeparator();
  Label1->SetCaption(FloatToStr(MegabytesTwoDecimals(MaxMem1->FreeMemory()), separator));
  Gauge1->SetPosition(Percent(MaxMem1->FreeMemory(), total));
  const std::optional<CommitFigures> commit = commitCharge();
  lblCommit->SetCaption(CommitLine(commit, pageFiles()));
  // The tip is there from the start; the tray text tick keeps it up to date.
  TextTrayIcon1->SetHint(trayTip(MaxMem1->FreeMemory(), now(), commit));

  listMax->SetItemIndex(read(ini, kIDX));
  edtCMI->SetValue(read(ini, kCMI));
  edtMin->SetText(IntToStr(read(ini, kMIN)));
  edtTRYT->SetText(IntToStr(read(ini, kTRYT)));
  edtGRFSH->SetText(IntToStr(read(ini, kGRFSH)));
  edtCPU->SetText(IntToStr(read(ini, kCPU)));
  edtWAIT->SetText(IntToStr(read(ini, kWAIT)));
  edtTRFSH->SetText(IntToStr(read(ini, kTRFSH)));
  lblTARGET->SetCaption(IntToStr(read(ini, kTarget)));
  const std::int32_t autoRun = read(ini, kAutoRun);
  const std::int32_t autoFree = read(ini, kAutoFree);
  ComboBox1->SetItemIndex(read(ini, kLCLK));
  freeMemory_ = ReadFreeMemorySettings(ini);
  // Held from the start, whether or not its page is ever made; one that another program holds is off.
  if (freeMemory_.hotkeyOn && !freeAllHotkey_.Hold(Application()->Handle(), freeMemory_.hotkey)) {
    freeMemory_.hotkeyOn = false;
    TellHotkeyTaken(*Application(), freeMemory_.hotkey, kProductLine);
  }
  log_ = ini.ReadInteger(kHistorySection, kLogKey, 0) == 1;
  hideWindowsEntries_ = ReadHideWindowsEntries(ini);
  tray_ = ReadTraySettings(ini);
  const WindowSize size = ReadWindowSize(ini);
  SetBounds(Left(), Top(), size.width, size.height);
  FormResize(this);
  // The Auto Start box once the task's answer is known: while the task starts the program, the box is ticked
  // and writes no Run value. The two boxes run their handlers; each is applied whatever became of the other.
  const auto autoStartBox = [this, autoRun](bool withdrawnTask) {
    quietly([&] {
      if (autoRun == 1 || logonTask_ || withdrawnTask) {
        CheckBox2->SetChecked(true);
      } else if (autoRun == -1) {
        CheckBox2->SetChecked(false);
      }
    });
  };
  bool asked = false;
  quietly([&] { asked = showLogonTask(autoStartBox); });
  if (!asked) {
    autoStartBox(false);
  }
  quietly([&] { CheckBox1->SetChecked(autoFree != -1); });

  Timer3->SetInterval(SecondsToInterval(edtGRFSH->Value()));
  if (listMax->ItemIndex() < 0) {
    listMax->SetItemIndex(kDefaultTargetRow);
  }
  CheckBox1Click(this);
  Timer2->SetInterval(SecondsToInterval(edtTRFSH->Value()));
  IdleCount = 0;
}

void TfrmVantrel::FormShow(TObject*) {
  Label15->SetCaption("0");
  Timer3->SetEnabled(true);
  Repaint();
  SetFocus();
  Gauge2->Repaint();
  Timer3Timer(this);
}

void TfrmVantrel::FormDestroy(TObject*) {
  // A call on the task still going decides the Auto Start box and the Run value: its answer first.
  taskCall_->Finish();
  const bool autoRun = CheckBox2->Checked();
  const SettingsFiles files = LocateSettings(*services_.fileSystem, *services_.fileSecurity, executable());
  TIniFile before(*services_.profile, files.read);
  // A box that does not hold a number keeps what the file had for its key.
  const auto figure = [&](const std::string& text, const Key& key) {
    const std::optional<std::int32_t> value = TryStrToInt(text);
    return value ? *value : read(before, key);
  };
  const std::int32_t cmi = figure(edtCMI->Text(), kCMI);
  const std::int32_t min = figure(edtMin->Text(), kMIN);
  const std::int32_t tryt = figure(edtTRYT->Text(), kTRYT);
  const std::int32_t grfsh = figure(edtGRFSH->Text(), kGRFSH);
  const std::int32_t target = figure(lblTARGET->Caption(), kTarget);
  const std::int32_t leftClick = ComboBox1->ItemIndex();
  const std::int32_t wait = figure(edtWAIT->Text(), kWAIT);
  const std::int32_t cpu = figure(edtCPU->Text(), kCPU);
  const std::int32_t trfsh = figure(edtTRFSH->Text(), kTRFSH);
  const bool autoFree = CheckBox1->Checked();
  const FreeMemorySettings freeMemory = freeMemorySettings();
  const WindowSize size{Width(), Height()};
  const bool hideWindowsEntries =
      StartupManagerPage ? StartupManagerPage->chkHideWindows->Checked() : hideWindowsEntries_;
  const bool log = logWanted();

  MakeSettingsFolder(*services_.fileSystem, files);
  TIniFile ini(*services_.profile, files.write);
  ini.WriteInteger(kSection, kAutoRun.name, onOff(autoRun));
  ini.WriteInteger(kSection, kAutoFree.name, onOff(autoFree));
  ini.WriteInteger(kSection, kTarget.name, target);
  ini.WriteInteger(kSection, kGRFSH.name, grfsh);
  ini.WriteInteger(kSection, kTRFSH.name, trfsh);
  ini.WriteInteger(kSection, kTRYT.name, tryt);
  ini.WriteInteger(kSection, kLCLK.name, leftClick);
  ini.WriteInteger(kSection, kWAIT.name, wait);
  ini.WriteInteger(kSection, kCPU.name, cpu);
  ini.WriteInteger(kSection, kIDX.name, listMax->ItemIndex());
  ini.WriteInteger(kSection, kMIN.name, min);
  ini.WriteInteger(kSection, kCMI.name, cmi);
  WriteFreeMemorySettings(ini, freeMemory);
  WriteWindowSize(ini, size);
  WriteHideWindowsEntries(ini, hideWindowsEntries);
  ini.WriteInteger(kHistorySection, kLogKey, log ? 1 : 0);
  WriteTraySettings(ini, tray_);

  if (autoRun) {
    applyAutoStart();
  }
}

}  // namespace vantrel
