// The Free All, whose regions run off the window thread, by the user's command or by the automatic rule in
// percent, with the Free Memory page's settings.
#include <algorithm>

#include "app/main_window.h"
#include "figures/figures.h"
#include "framework/sysutils.h"
#include "free_all/free_all_texts.h"
#include "program/product.h"

namespace vantrel {

platform::OsVersionInfo TfrmVantrel::osVersion() const {
  platform::OsVersionInfo version;
  // Unknown, it counts as a system without any of the regions.
  if (!services_.version->GetVersionExA(version)) {
    version = {};
  }
  return version;
}

FreeMemorySettings TfrmVantrel::freeMemorySettings() const {
  return AsHeld(FreeMemoryPage ? FreeMemoryPage->Settings() : freeMemory_, freeAllHotkey_);
}

void TfrmVantrel::startFreeAll(PassKind kind) {
  // Ignored, not queued: the run going now frees what this one would.
  if (regionRun_.Running()) {
    return;
  }
  const bool automatic = kind == PassKind::Automatic;
  const FreeMemorySettings settings = freeMemorySettings();
  const RegionChoice chosen = settings.regions;
  const RegionChoice choice = automatic ? AutomaticRegions(chosen) : chosen;
  freeAllAutomatic_ = automatic;
  freeAllBefore_ = MaxMem1->FreeMemory();
  freeAllPass_ = passStarted(kind, choice);
  regionRun_.Start(*services_.systemMemory, osVersion(), choice, settings.keepPrograms);
  // The pass image from now on, and no automatic reclaim meanwhile, as during a pass.
  MaxMem1BeforeDefrag(this);
  FreeAllTimer->SetEnabled(true);
  // A worker that is done already (nothing chosen) ends the run now.
  FreeAllTimerTimer(this);
}

void TfrmVantrel::FreeAllTimerTimer(TObject*) {
  if (!regionRun_.Running()) {
    // The first tick after the end, which the hotkey's presses that waited meanwhile came before.
    FreeAllTimer->SetEnabled(false);
    return;
  }
  const std::optional<RegionResults> results = regionRun_.TakeResults();
  if (!results) {
    return;
  }
  if (freeAllAutomatic_) {
    // No pass and no balloon; the tray and the check come back as after a pass.
    MaxMem1AfterDefrag(this);
    passEnded(freeAllPass_);
    return;
  }
  MaxMem1->DefragAll();
  passEnded(freeAllPass_);
  TextTrayIcon1->ShowBalloonHint(kProductName,
                                 FreeAllBalloonText(freeAllBefore_, MaxMem1->FreeMemory(), *results));
}

void TfrmVantrel::checkFreeMemoryRule(std::int64_t freeBytes) {
  const FreeMemorySettings settings = freeMemorySettings();
  if (settings.belowPercent == kBelowPercentOff || regionRun_.Running() ||
      !BelowShare(freeBytes, MaxMem1->TotalMemory(), settings.belowPercent)) {
    return;
  }
  // Nothing the rule may run is chosen: no run to show.
  const RegionChoice allowed = AutomaticRegions(settings.regions);
  if (std::none_of(allowed.begin(), allowed.end(), [](bool chosen) { return chosen; })) {
    return;
  }
  // Not the time of day, which the user or a time server may set back or forward.
  const std::uint64_t now = services_.timeOfDay->GetTickCount64();
  if (lastRuleRun_ && !PauseOver(*lastRuleRun_, now, settings.cooldownMinutes * rulePause_.Factor())) {
    return;
  }
  lastRuleRun_ = now;
  startFreeAll(PassKind::Automatic);
}

}  // namespace vantrel
