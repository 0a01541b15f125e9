#include "free_all/free_memory_page.h"

#include "framework/application.h"
#include "framework/page_controls.h"
#include "platform/dialogs.h"

namespace vantrel {

namespace {

constexpr int kRegionPitch = 32;
constexpr char kNeedsAdministrator[] = "(needs administrator)";
constexpr char kNotOnThisWindows[] = "(not on this Windows)";
constexpr char kFreezeWarning[] =
    "Emptying the whole standby list or the modified page list can make Windows stop responding for up to a "
    "minute.\n\nVantrel empties them only when you ask for a Free All, never automatically.";
constexpr char kHotkeyTaken[] =
    "Another program uses this key combination already. Choose another one for Free All, then tick the box "
    "again.";

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
    {"CombinedPages", "Combined page list",
     "Merges identical pages into one; frees memory at some CPU cost."},
    {"RegistryCache", "Registry cache", "Writes the registry's changes to disk; frees little."},
}};

}  // namespace

FreeMemorySettings AsHeld(FreeMemorySettings shown, const FreeAllHotkey& hotkey) {
  shown.hotkeyOn = shown.hotkeyOn && hotkey.Held();
  if (shown.hotkeyOn) {
    shown.hotkey = hotkey.Word();
  }
  return shown;
}

void TellHotkeyTaken(TApplication& application, std::uint16_t word, const std::string& title) {
  if (HotkeyUsable(word)) {
    application.MessageBox(kHotkeyTaken, title, platform::kMbOk | platform::kMbIconWarning);
  }
}

bool MayChangeLogonTask(const platform::OsVersionInfo& version, bool elevated) {
  return platform::VistaOrLater(version) && elevated;
}

TFreeMemoryPage::TFreeMemoryPage(TComponent* owner, TWinControl* page, platform::SystemMemory& system,
                                 const platform::OsVersionInfo& version, bool elevated, FreeAllHotkey& hotkey,
                                 const FreeMemorySettings& settings, const std::string& title)
    : TComponent(owner), hotkey_(hotkey), title_(title), keepPrograms_(settings.keepPrograms) {
  SetName("FreeMemoryPage");
  // Each handler is set once its control shows the settings: showing them is no click.
  for (std::size_t index = 0; index < kRegionCount; ++index) {
    const Region region = static_cast<Region>(index);
    const RegionText& text = kRegionTexts[index];
    const int top = 6 + static_cast<int>(index) * kRegionPitch;
    TCheckBox* box = NewCheckBox(this, page, std::string("chk") + text.name, text.caption, 12, top);
    box->SetChecked(settings.regions[index]);
    box->OnClick = [this, region](TObject*) { RegionBoxClick(region); };
    TLabel* caption = NewLabel(this, page, std::string("lbl") + text.name, text.caption, 32, top + 1, 176);
    caption->FocusControl = box;
    TLabel* reason = NewLabel(this, page, std::string("lbl") + text.name + "Reason", "", 212, top + 1, 220);
    // Kept as chosen: a Free All names it among what could not run.
    if (const std::optional<RegionBlock> block = RegionBlocked(system, version, region)) {
      box->SetEnabled(false);
      caption->SetEnabled(false);
      reason->SetCaption(*block == RegionBlock::NeedsAdministrator ? kNeedsAdministrator : kNotOnThisWindows);
    }
    RegionBoxes[index] = box;
    RegionLabels[index] = caption;
    RegionReasons[index] = reason;
    RegionNotes[index] = NewLabel(this, page, std::string("lbl") + text.name + "Note", text.note, 32,
                                  top + 16, kPageWidth - 36);
  }

  CheckBox3 =
      NewCheckBox(this, page, "CheckBox3", "Free the chosen regions when free memory is low", 12, 176);
  CheckBox3->SetChecked(settings.belowPercent != kBelowPercentOff);
  Label28 = NewLabel(this, page, "Label28", "When free memory falls below", 32, 177, 166);
  Label28->FocusControl = CheckBox3;
  edtBelowPercent = NewSpinEdit(this, page, "edtBelowPercent", kBelowPercentMin, kBelowPercentMax,
                                std::to_string(kBelowPercentShown).c_str(), 200, 173, 48);
  edtBelowPercent->SetValue(settings.belowPercent != kBelowPercentOff ? settings.belowPercent
                                                                      : kBelowPercentShown);
  Label29 = NewLabel(this, page, "Label29", "% of the total,", 254, 177, 120);
  Label30 = NewLabel(this, page, "Label30", "free the chosen regions, at most once every", 32, 204, 246);
  edtCooldown = NewSpinEdit(this, page, "edtCooldown", kCooldownMin, kCooldownMax,
                            std::to_string(kCooldownDefault).c_str(), 280, 200, 56);
  edtCooldown->SetValue(settings.cooldownMinutes);
  Label31 = NewLabel(this, page, "Label31", "minutes", 342, 204, 80);

  btnRestartElevated = new TSpeedButton(this);
  btnRestartElevated->SetName("btnRestartElevated");
  btnRestartElevated->SetCaption("Restart as administrator");
  btnRestartElevated->Flat = false;
  btnRestartElevated->Shield = true;
  btnRestartElevated->SetBounds(12, 234, 196, 28);
  btnRestartElevated->OnClick = [this](TObject* sender) {
    if (OnRestartElevated) {
      OnRestartElevated(sender);
    }
  };
  // Before Vista there is no elevation to ask for: an administrator has the rights already.
  btnRestartElevated->SetVisible(platform::VistaOrLater(version) && !elevated);
  btnRestartElevated->SetParent(page);

  chkHotkey = NewCheckBox(this, page, "chkHotkey", "Hotkey for Free All", 216, 240);
  chkHotkey->SetChecked(settings.hotkeyOn);
  chkHotkey->OnClick = [this](TObject* sender) { chkHotkeyClick(sender); };
  lblHotkey = NewLabel(this, page, "lblHotkey", "Hotkey for Free All", 236, 241, 104);
  lblHotkey->FocusControl = chkHotkey;
  hkFreeAll = new THotKey(this);
  hkFreeAll->SetName("hkFreeAll");
  hkFreeAll->SetBounds(340, 237, 96, kEditHeight);
  hkFreeAll->SetHotKey(settings.hotkey);
  hkFreeAll->OnChange = [this](TObject* sender) { hkFreeAllChange(sender); };
  hkFreeAll->SetParent(page);

  constexpr char kLogonTaskCaption[] = "Start as administrator at log-on (no prompt)";
  chkLogonTask = NewCheckBox(this, page, "chkLogonTask", kLogonTaskCaption, 12, 266);
  chkLogonTask->OnClick = [this](TObject* sender) {
    if (OnLogonTaskClick) {
      OnLogonTaskClick(sender);
    }
  };
  lblLogonTask = NewLabel(this, page, "lblLogonTask", kLogonTaskCaption, 32, 267, 400);
  lblLogonTask->FocusControl = chkLogonTask;
  chkLogonTask->SetEnabled(MayChangeLogonTask(version, elevated));
  lblLogonTask->SetEnabled(MayChangeLogonTask(version, elevated));
}

FreeMemorySettings TFreeMemoryPage::Settings() const {
  FreeMemorySettings settings;
  for (std::size_t index = 0; index < kRegionCount; ++index) {
    settings.regions[index] = RegionBoxes[index]->Checked();
  }
  settings.belowPercent =
      CheckBox3->Checked() ? edtBelowPercent->CheckValue(edtBelowPercent->Value()) : kBelowPercentOff;
  settings.cooldownMinutes = edtCooldown->CheckValue(edtCooldown->Value());
  settings.hotkeyOn = chkHotkey->Checked();
  settings.hotkey = hkFreeAll->HotKey();
  settings.keepPrograms = keepPrograms_;
  return settings;
}

void TFreeMemoryPage::RegionBoxClick(Region region) {
  TCheckBox* box = RegionBoxes[static_cast<std::size_t>(region)];
  if ((region == Region::Standby || region == Region::ModifiedList) && box->ClickedByUser() &&
      box->Checked()) {
    Application()->MessageBox(kFreezeWarning, title_, platform::kMbOk | platform::kMbIconWarning);
  }
}

void TFreeMemoryPage::chkHotkeyClick(TObject*) {
  if (!chkHotkey->Checked()) {
    hotkey_.Release();
    return;
  }
  if (hkFreeAll->HotKey() == 0) {
    hkFreeAll->SetHotKey(kOfferedHotkey);
  }
  holdHotkey();
}

void TFreeMemoryPage::hkFreeAllChange(TObject*) {
  // The field tells of each key as it goes down: Ctrl alone is no combination yet, and the one held stays.
  if (chkHotkey->Checked() && HotkeyUsable(hkFreeAll->HotKey())) {
    holdHotkey();
  }
}

void TFreeMemoryPage::holdHotkey() {
  if (hotkey_.Hold(Application()->Handle(), hkFreeAll->HotKey())) {
    return;
  }
  // The field keeps the combination, for the user to change.
  chkHotkey->SetChecked(false);
  TellHotkeyTaken(*Application(), hkFreeAll->HotKey(), title_);
}

}  // namespace vantrel
