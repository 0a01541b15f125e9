// The memory monitor and automatic reclaim: the three timers' ticks, switching automatic reclaim on and off,
// and the choice of the reclaim target.
#include <algorithm>
#include <cmath>
#include <limits>

#include "app/load_reading.h"
#include "app/main_window.h"
#include "cpu/cpu_usage.h"
#include "figures/figures.h"
#include "figures/tray_level.h"
#include "figures/tray_texts.h"
#include "framework/sysutils.h"

namespace vantrel {

namespace {

constexpr int kFallbackTargetRow = 4;
constexpr char kFallbackTarget[] = "16";
constexpr char kTargetTooLarge[] = "The value is too large to your system!\r\r    Select a smaller one!";

}  // namespace

std::optional<double> TfrmVantrel::ProcessorLoad() {
  const char separator = Application()->DecimalSeparator();
  try {
    RefreshProcessorData();
    const std::int32_t count = ProcessorCount();
    std::string text;
    // Every instance is read, as each may fail; only the last one's text stays.
    for (std::int32_t index = 0; index < count; ++index) {
      text = LoadText(index, ProcessorUsage(index), separator);
    }
    loadFailureShown_ = false;
    if (count <= 0) {
      return std::nullopt;
    }
    return LoadFromText(text, count - 1, separator);
  } catch (const Exception& error) {
    // The flag goes up before the box: timers keep firing while it is open.
    if (!loadFailureShown_) {
      loadFailureShown_ = true;
      Application()->ShowException(error.Message());
    }
    return std::nullopt;
  }
}

void TfrmVantrel::Timer1Timer(TObject*) {
  const std::optional<double> load = ProcessorLoad();
  // An unknown load counts as busy: no reclaim is ever made on it.
  const double threshold = edtCPU->Value();
  if (load && threshold > *load) {
    IdleCount = std::min(IdleCount, std::numeric_limits<std::int32_t>::max() - 1) + 1;
  }
  if (!load || threshold < *load) {
    IdleCount = 0;
  }
  const double freeMegabytes = MegabytesTwoDecimals(MaxMem1->FreeMemory());
  if (!(freeMegabytes < edtMin->Value() && IdleCount >= edtWAIT->Value() && load &&
        static_cast<double>(edtCPU->Value()) > *load)) {
    return;
  }
  Timer1->SetEnabled(false);
  const std::int32_t passes = StrToInt(edtTRYT->Text());
  if (passes > 0) {
    // Watched as one pass: the tries follow one another at once.
    const std::uint32_t watched = passStarted(PassKind::Automatic);
    for (std::int32_t pass = 0; pass < passes; ++pass) {
      MaxMem1->Defrag(StrToInt(lblTARGET->Caption()));
    }
    passEnded(watched);
  }
  IdleCount = 0;
  Timer1->SetEnabled(true);
}

std::optional<CommitFigures> TfrmVantrel::commitCharge() const {
  platform::CommitCharge commit;
  if (!services_.systemMemory->GetPerformanceInfo_Commit(commit)) {
    return std::nullopt;
  }
  return CommitFigures{static_cast<std::int64_t>(commit.committed), static_cast<std::int64_t>(commit.limit)};
}

std::optional<PageFileFigures> TfrmVantrel::pageFiles() const {
  const std::optional<platform::PageFileUse> use =
      services_.systemMemory->NtQuerySystemInformation_PageFiles();
  if (!use) {
    return std::nullopt;
  }
  return PageFileFigures{use->files, static_cast<std::int64_t>(use->inUse)};
}

void TfrmVantrel::Timer2Timer(TObject*) {
  const std::int64_t freeBytes = MaxMem1->FreeMemory();
  const std::optional<CommitFigures> commit = commitCharge();
  // A new figure brings a new image and a new tip: the shell hears of both at once, and of neither when
  // nothing changed.
  {
    const TTrayIconUpdate once(*TextTrayIcon1);
    // While a Free All's regions run, the tray keeps the pass image.
    if (!FreeAllRunning()) {
      showTrayLevel(freeBytes);
      TextTrayIcon1->SetText(IntToStr(WholeMegabytes(freeBytes)));
    }
    TextTrayIcon1->SetHint(trayTip(freeBytes, now(), commit));
  }
  historyTick(freeBytes, commit);
  checkFreeMemoryRule(freeBytes);
}

void TfrmVantrel::showTrayLevel(std::int64_t freeBytes) {
  const TrayLevel level = TrayLevelOf(freeBytes, MaxMem1->TotalMemory(), tray_.levels);
  if (level == trayLevel_) {
    return;
  }
  TFont font = TextTrayIcon1->Font();
  font.Color = TrayFigureColor(tray_, level, clWindowText);
  TextTrayIcon1->SetFont(font);
  trayLevel_ = level;
}

void TfrmVantrel::Timer3Timer(TObject*) {
  const std::optional<double> load = ProcessorLoad();
  Gauge2->SetPosition(load ? static_cast<int>(std::clamp(std::trunc(*load), 0.0, 100.0)) : 0);
  Gauge2->Repaint();
  Gauge1->SetPosition(Percent(MaxMem1->FreeMemory(), MaxMem1->TotalMemory()));
  Label1->SetCaption(
      FloatToStr(MegabytesTwoDecimals(MaxMem1->FreeMemory()), Application()->DecimalSeparator()));
  lblCommit->SetCaption(CommitLine(commitCharge(), pageFiles()));
}

void TfrmVantrel::CheckBox1Click(TObject*) {
  if (CheckBox1->Checked()) {
    SEnable->Checked = true;
    Timer1->SetEnabled(true);
    checkInterval_ = SecondsToInterval(edtCMI->Value());
    Timer1->SetInterval(LongerInterval(checkInterval_, rulePause_.Factor()));
  } else {
    Timer1->SetEnabled(false);
    SEnable->Checked = false;
  }
}

void TfrmVantrel::listMaxClick(TObject*) {
  if (const std::int32_t target = TargetOfRow(listMax->ItemIndex()); target > 0) {
    lblTARGET->SetCaption(IntToStr(target));
  }
  if (!TargetFits(MaxMem1->TotalMemory(), StrToInt(lblTARGET->Caption()))) {
    Application()->MessageBox(kTargetTooLarge, "Information", platform::kMbOk | platform::kMbIconInformation);
    listMax->SetItemIndex(kFallbackTargetRow);
    lblTARGET->SetCaption(kFallbackTarget);
  }
}

}  // namespace vantrel
