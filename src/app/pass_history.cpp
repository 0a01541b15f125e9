// The watch of every pass: each pass is marked on the History page's chart and listed, watched for a minute
// after it ends, then told in the tray tip for ten minutes and written to the log file when the box asks for
// it.
#include "app/main_window.h"
#include "figures/figures.h"
#include "figures/tray_texts.h"
#include "framework/sysutils.h"
#include "history/pass_texts.h"
#include "platform/unicode.h"
#include "program/settings_location.h"

namespace vantrel {

namespace {

// The tip tells of the last watched pass this long after its watch.
constexpr std::uint64_t kTipTime = 10 * 60 * kFileTimeSecond;
constexpr char kLogName[] = "Vantrel-passes.csv";
// Past this size the log is kept as ".1" and started anew.
constexpr std::uint64_t kLogLimit = 1 << 20;

}  // namespace

std::uint64_t TfrmVantrel::now() const {
  return services_.timeOfDay->GetSystemTimeAsFileTime();
}

std::uint32_t TfrmVantrel::passStarted(PassKind kind, const RegionChoice& regions) {
  const bool watching =
      !passWatch_.Passes().empty() && (passWatch_.Passes().front().state == WatchState::Running ||
                                       passWatch_.Passes().front().state == WatchState::Watching);
  WatchTimer->SetEnabled(false);
  const std::uint64_t time = now();
  const std::uint32_t number =
      passWatch_.PassStarted(time, kind, regions, MaxMem1->FreeMemory(), pageReads_.Read());
  if (watching) {
    learnFromPass(passWatch_.Passes()[1]);
    writeLog(passWatch_.Passes()[1]);
  }
  history_.MarkPass(time, kind == PassKind::Automatic);
  showPasses();
  return number;
}

void TfrmVantrel::passEnded(std::uint32_t number) {
  passWatch_.PassEnded(number, now(), MaxMem1->FreeMemory(), pageReads_.Read());
  if (passWatch_.Passes().front().state == WatchState::Watching) {
    WatchTimer->SetEnabled(true);
  }
  showPasses();
}

void TfrmVantrel::WatchTimerTimer(TObject*) {
  WatchTimer->SetEnabled(false);
  const std::uint64_t time = now();
  if (!passWatch_.WatchEnded(time, MaxMem1->FreeMemory(), pageReads_.Read())) {
    return;
  }
  lastPassTip_ = {LastPassTip(passWatch_.Passes().front(), pageSize_),
                  LastPassBrief(passWatch_.Passes().front(), pageSize_)};
  lastWatchedAt_ = time;
  learnFromPass(passWatch_.Passes().front());
  showPasses();
  writeLog(passWatch_.Passes().front());
  TextTrayIcon1->SetHint(trayTip(MaxMem1->FreeMemory(), time, commitCharge()));
}

void TfrmVantrel::learnFromPass(const PassRecord& pass) {
  const PauseChange change = rulePause_.PassWatched(pass);
  if (change == PauseChange::None) {
    return;
  }
  passWatch_.NotePause(pass.number, change);
  // The percent rule reads the factor at its next check; the settings and the edit keep the user's figures.
  if (CheckBox1->Checked()) {
    Timer1->SetInterval(LongerInterval(checkInterval_, rulePause_.Factor()));
  }
}

std::string TfrmVantrel::trayTip(std::int64_t freeBytes, std::uint64_t time,
                                 const std::optional<CommitFigures>& commit) const {
  std::vector<TipLine> later;
  if (commit) {
    later.push_back({CommittedText(*commit), CommittedBrief(*commit)});
  }
  if (!lastPassTip_.full.empty() && time >= lastWatchedAt_ && time - lastWatchedAt_ < kTipTime) {
    later.push_back(lastPassTip_);
  }
  return TrayTip(FreeMemoryTip(freeBytes, MaxMem1->TotalMemory()), later);
}

void TfrmVantrel::showPasses() {
  if (HistoryPage) {
    HistoryPage->ShowPasses(passWatch_);
  }
}

void TfrmVantrel::historyTick(std::int64_t freeBytes, const std::optional<CommitFigures>& commit) {
  const std::uint64_t time = now();
  history_.Add(time, freeBytes, commit);
  if (passWatch_.SampleDue(time)) {
    passWatch_.Sample(time, pageReads_.Read());
  }
  if (TabSheet6->Showing()) {
    drawChart();
  }
}

void TfrmVantrel::drawChart() {
  if (HistoryPage) {
    HistoryPage->DrawChart(history_, history_.SecondOf(now()), WholeMegabytes(MaxMem1->TotalMemory()));
  }
}

bool TfrmVantrel::logWanted() const {
  return HistoryPage ? HistoryPage->chkLog->Checked() : log_;
}

void TfrmVantrel::logFailed(const std::string& text) {
  logFailure_ = text;
  if (HistoryPage) {
    HistoryPage->lblLogFailed->SetCaption(logFailure_);
  }
}

void TfrmVantrel::writeLog(const PassRecord& pass) {
  if (!logWanted()) {
    return;
  }
  const SettingsFiles files = LocateSettings(*services_.fileSystem, *services_.fileSecurity, executable());
  MakeSettingsFolder(*services_.fileSystem, files);
  const std::u16string path =
      Utf8ToUtf16(files.write.substr(0, files.write.find_last_of('\\') + 1) + kLogName);
  bool missing = false;
  services_.fileSystem->GetFileAttributesW(path, &missing);
  std::uint64_t size = 0;
  const long error = services_.fileSystem->WriteFile_Append(
      path, (missing ? PassLogHeader() : "") + PassLogLine(pass, pageSize_), &size);
  if (error != platform::kErrorSuccess) {
    // Said on the page: a box at every pass would bury the user.
    logFailed("Cannot write the log (error " + std::to_string(error) + ")");
    return;
  }
  if (size > kLogLimit) {
    const std::u16string kept = path + u".1";
    // A ".1" that cannot be replaced (read-only, say) would let the log grow without end, unseen.
    long failed = services_.fileSystem->DeleteFileW(kept);
    if (failed == platform::kErrorSuccess || failed == platform::kErrorFileNotFound) {
      failed = services_.fileSystem->MoveFileExW(path, kept);
    }
    if (failed != platform::kErrorSuccess) {
      logFailed("Cannot start the log anew (error " + std::to_string(failed) + ")");
      return;
    }
  }
  logFailed("");
}

}  // namespace vantrel
