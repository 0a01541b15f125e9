// Start-up, show and shutdown of the main window, and its settings file.
#include <string>

#include "app/figures.h"
#include "app/main_window.h"
#include "app/run_key.h"
#include "framework/ini_file.h"
#include "framework/registry.h"
#include "framework/sysutils.h"

namespace vantrel {

namespace {

constexpr char kSection[] = "Vantrel";
constexpr char kSettingsFile[] = "Vantrel.ini";
constexpr int kDefaultTargetRow = 4;

// The file's form of a check box: 1 checked, -1 not.
std::int32_t onOff(bool checked) {
  return checked ? 1 : -1;
}

}  // namespace

std::string TfrmVantrel::SettingsPath() const {
  return ExtractFilePath(services_.process->GetModuleFileNameA()) + kSettingsFile;
}

void TfrmVantrel::FormCreate(TObject*) {
  const std::int64_t total = MaxMem1->TotalMemory();
  const Bounds bounds = ThresholdBounds(total);
  edtMin->SetMinValue(bounds.lower);
  edtMin->SetMaxValue(bounds.upper);
  const std::string path = SettingsPath();
  Label3->SetCaption(IntToStr(WholeMegabytes(total)) + "MB");
  const char separator = Application()->DecimalSeparator();
  Label1->SetCaption(FloatToStr(MegabytesTwoDecimals(MaxMem1->FreeMemory()), separator));
  Gauge1->SetPosition(Percent(MaxMem1->FreeMemory(), total));

  // A setting that cannot be applied (the auto-start value cannot be written, say) ends the reading without a
  // word: what was not applied yet keeps its place in the layout.
  try {
    TIniFile ini(*services_.profile, path);
    listMax->SetItemIndex(ini.ReadInteger(kSection, "IDX", -1));
    edtCMI->SetValue(ini.ReadInteger(kSection, "CMI", 1));
    edtMin->SetText(IntToStr(ini.ReadInteger(kSection, "MIN", 6)));
    edtTRYT->SetText(IntToStr(ini.ReadInteger(kSection, "TRYT", 1)));
    edtGRFSH->SetText(IntToStr(ini.ReadInteger(kSection, "GRFSH", 1)));
    edtCPU->SetText(IntToStr(ini.ReadInteger(kSection, "CPU", 80)));
    edtWAIT->SetText(IntToStr(ini.ReadInteger(kSection, "WAIT", 1)));
    edtTRFSH->SetText(IntToStr(ini.ReadInteger(kSection, "TRFSH", 1)));
    lblTARGET->SetCaption(IntToStr(ini.ReadInteger(kSection, "Target", 16)));
    const std::int32_t autoRun = ini.ReadInteger(kSection, "AutoRun", 1);
    const std::int32_t autoFree = ini.ReadInteger(kSection, "AutoFree", 1);
    const std::int32_t leftClick = ini.ReadInteger(kSection, "LCLK", 4);
    ComboBox1->SetItemIndex(leftClick);
    if (autoRun == 1) {
      CheckBox2->SetChecked(true);
    } else if (autoRun == -1) {
      CheckBox2->SetChecked(false);
    }
    CheckBox1->SetChecked(autoFree != -1);
  } catch (const std::exception&) {
  }

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
  const bool autoRun = CheckBox2->Checked();
  const std::string path = SettingsPath();
  // Every figure is read before anything is written: a text that is not a number leaves the file untouched.
  const std::int32_t cmi = StrToInt(edtCMI->Text());
  const std::int32_t min = StrToInt(edtMin->Text());
  const std::int32_t tryt = StrToInt(edtTRYT->Text());
  const std::int32_t grfsh = StrToInt(edtGRFSH->Text());
  const std::int32_t target = StrToInt(lblTARGET->Caption());
  const std::int32_t leftClick = ComboBox1->ItemIndex();
  const std::int32_t wait = StrToInt(edtWAIT->Text());
  const std::int32_t cpu = StrToInt(edtCPU->Text());
  const std::int32_t trfsh = StrToInt(edtTRFSH->Text());
  const bool autoFree = CheckBox1->Checked();

  TIniFile ini(*services_.profile, path);
  ini.WriteInteger(kSection, "AutoRun", onOff(autoRun));
  ini.WriteInteger(kSection, "AutoFree", onOff(autoFree));
  ini.WriteInteger(kSection, "Target", target);
  ini.WriteInteger(kSection, "GRFSH", grfsh);
  ini.WriteInteger(kSection, "TRFSH", trfsh);
  ini.WriteInteger(kSection, "TRYT", tryt);
  ini.WriteInteger(kSection, "LCLK", leftClick);
  ini.WriteInteger(kSection, "WAIT", wait);
  ini.WriteInteger(kSection, "CPU", cpu);
  ini.WriteInteger(kSection, "IDX", listMax->ItemIndex());
  ini.WriteInteger(kSection, "MIN", min);
  ini.WriteInteger(kSection, "CMI", cmi);

  if (autoRun) {
    TRegistry registry = machineRegistry();
    registry.OpenKey(kRunKey, true);
    if (!registry.ValueExists(kAutoStartValue)) {
      registry.WriteString(kAutoStartValue, AutoStartCommand());
    }
    registry.CloseKey();
  }
}

}  // namespace vantrel
