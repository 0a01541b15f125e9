// The Free Memory page's handlers: the boxes of the regions, the automatic rule in percent, the hotkey and
// their settings; and the Free All itself, whose regions run off the window thread.
#include <algorithm>

#include "app/main_window.h"
#include "figures/figures.h"
#include "framework/sysutils.h"
#include "free_all/free_all_texts.h"
#include "program/product.h"

namespace vantrel {

namespace {

constexpr char kFreezeWarning[] =
    "Emptying the whole standby list or the modified page list can make Windows stop responding for up to a "
    "minute.\n\nVantrel empties them only when you ask for a Free All, never automatically.";
constexpr char kHotkeyTaken[] =
    "Another program uses this key combination already. Choose another one for Free All, then tick the box "
    "again.";

}  // namespace

void TfrmVantrel::RegionBoxClick(Region region) {
  TCheckBox* box = RegionBoxes[static_cast<std::size_t>(region)];
  if ((region == Region::Standby || region == Region::ModifiedList) && box->ClickedByUser() &&
      box->Checked()) {
    Application()->MessageBox(kFreezeWarning, kProductLine, platform::kMbOk | platform::kMbIconWarning);
  }
}

void TfrmVantrel::chkHotkeyClick(TObject*) {
  if (!chkHotkey->Checked()) {
    freeAllHotkey_.Release();
    return;
  }
  if (hkFreeAll->HotKey() == 0) {
    hkFreeAll->SetHotKey(kOfferedHotkey);
  }
  holdHotkey();
}

void TfrmVantrel::hkFreeAllChange(TObject*) {
  // The field tells of each key as it goes down: Ctrl alone is no combination yet, and the one held stays.
  if (chkHotkey->Checked() && HotkeyUsable(hkFreeAll->HotKey())) {
    holdHotkey();
  }
}

void TfrmVantrel::holdHotkey() {
  if (freeAllHotkey_.Hold(Application()->Handle(), hkFreeAll->HotKey())) {
    return;
  }
  // The field keeps the combination, for the user to change.
  chkHotkey->SetChecked(false);
  if (HotkeyUsable(hkFreeAll->HotKey())) {
    Application()->MessageBox(kHotkeyTaken, kProductLine, platform::kMbOk | platform::kMbIconWarning);
  }
}

platform::OsVersionInfo TfrmVantrel::osVersion() const {
  platform::OsVersionInfo version;
  // Unknown, it counts as a system without any of the regions.
  if (!services_.version->GetVersionExA(version)) {
    version = {};
  }
  return version;
}

FreeMemorySettings TfrmVantrel::freeMemorySettings() const {
  FreeMemorySettings settings;
  for (std::size_t index = 0; index < kRegionCount; ++index) {
    settings.regions[index] = RegionBoxes[index]->Checked();
  }
  settings.belowPercent =
      CheckBox3->Checked() ? edtBelowPercent->CheckValue(edtBelowPercent->Value()) : kBelowPercentOff;
  settings.cooldownMinutes = edtCooldown->CheckValue(edtCooldown->Value());
  // While on, the combination held, also when the field shows one that is not finished.
  settings.hotkeyOn = chkHotkey->Checked() && freeAllHotkey_.Held();
  settings.hotkey = settings.hotkeyOn ? freeAllHotkey_.Word() : hkFreeAll->HotKey();
  return settings;
}

void TfrmVantrel::showFreeMemorySettings(const FreeMemorySettings& settings) {
  for (std::size_t index = 0; index < kRegionCount; ++index) {
    RegionBoxes[index]->SetChecked(settings.regions[index]);
  }
  CheckBox3->SetChecked(settings.belowPercent != kBelowPercentOff);
  edtBelowPercent->SetValue(settings.belowPercent != kBelowPercentOff ? settings.belowPercent
                                                                      : kBelowPercentShown);
  edtCooldown->SetValue(settings.cooldownMinutes);
  // The key first: ticking the box registers it.
  hkFreeAll->SetHotKey(settings.hotkey);
  chkHotkey->SetChecked(settings.hotkeyOn);
}

void TfrmVantrel::startFreeAll(PassKind kind) {
  // Ignored, not queued: the run going now frees what this one would.
  if (regionRun_.Running()) {
    return;
  }
  const bool automatic = kind == PassKind::Automatic;
  const RegionChoice chosen = freeMemorySettings().regions;
  const RegionChoice choice = automatic ? AutomaticRegions(chosen) : chosen;
  freeAllAutomatic_ = automatic;
  freeAllBefore_ = MaxMem1->FreeMemory();
  freeAllPass_ = passStarted(kind, choice);
  regionRun_.Start(*services_.systemMemory, osVersion(), choice);
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
  if (lastRuleRun_ && !PauseOver(*lastRuleRun_, now, settings.cooldownMinutes)) {
    return;
  }
  lastRuleRun_ = now;
  startFreeAll(PassKind::Automatic);
}

}  // namespace vantrel
