#include "free_all/free_memory_page.h"

#include "framework/application.h"
#include "framework/page_controls.h"
#include "free_all/kept_programs.h"
#include "free_all/kept_programs_form.h"
#include "platform/dialogs.h"

namespace vantrel {

namespace {

// The tag of a row whose region cannot run here.
constexpr int kRegionBlocked = 1;
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
    : TComponent(owner),
      system_(system),
      hotkey_(hotkey),
      title_(title),
      keepPrograms_(settings.keepPrograms) {
  SetName("FreeMemoryPage");
  lvRegions = new TListView(this);
  lvRegions->SetName("lvRegions");
  lvRegions->CheckBoxes = true;
  lvRegions->ShowColumnHeaders = false;
  lvRegions->ReadOnly = true;
  lvRegions->RowSelect = true;
  lvRegions->ShowHint = true;
  lvRegions->SetColumns({{"Region", 180}, {"What it does and costs", 234}});
  lvRegions->Greyed = [](const TListRow& row, int) { return row.Tag == kRegionBlocked; };
  for (std::size_t index = 0; index < kRegionCount; ++index) {
    const RegionText& text = kRegionTexts[index];
    TListRow row{text.caption, {text.note}};
    row.Checked = settings.regions[index];
    row.Tip = std::string(text.caption) + "\n" + text.note;
    // Kept as chosen: a Free All names it among what could not run.
    if (const std::optional<RegionBlock> block = RegionBlocked(system, version, static_cast<Region>(index))) {
      const std::string reason =
          *block == RegionBlock::NeedsAdministrator ? kNeedsAdministrator : kNotOnThisWindows;
      row.SubItems[0] = reason + " " + text.note;
      row.Tip = std::string(text.caption) + " " + reason + "\n" + text.note;
      row.Tag = kRegionBlocked;
    }
    lvRegions->AddRow(row);
  }
  lvRegions->SetBounds(12, 6, kPageWidth - 24, 134);
  // Set once the rows show the settings: showing them is no click.
  lvRegions->OnItemChecked = [this](int index) { lvRegionsItemChecked(index); };
  lvRegions->SetParent(page);

  btnKeepPrograms = new TSpeedButton(this);
  btnKeepPrograms->SetName("btnKeepPrograms");
  btnKeepPrograms->Flat = false;
  btnKeepPrograms->SetBounds(12, 144, 196, 24);
  btnKeepPrograms->OnClick = [this](TObject* sender) { btnKeepProgramsClick(sender); };
  showKeptCount();
  btnKeepPrograms->SetParent(page);

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
    settings.regions[index] = lvRegions->Checked(static_cast<int>(index));
  }
  settings.keepPrograms = keepPrograms_;
  settings.belowPercent =
      CheckBox3->Checked() ? edtBelowPercent->CheckValue(edtBelowPercent->Value()) : kBelowPercentOff;
  settings.cooldownMinutes = edtCooldown->CheckValue(edtCooldown->Value());
  settings.hotkeyOn = chkHotkey->Checked();
  settings.hotkey = hkFreeAll->HotKey();
  settings.keepPrograms = keepPrograms_;
  return settings;
}

void TFreeMemoryPage::lvRegionsItemChecked(int index) {
  const auto region = static_cast<Region>(index);
  if ((region == Region::Standby || region == Region::ModifiedList) && lvRegions->Checked(index)) {
    Application()->MessageBox(kFreezeWarning, title_, platform::kMbOk | platform::kMbIconWarning);
  }
}

void TFreeMemoryPage::btnKeepProgramsClick(TObject*) {
  TApplication& application = *Application();
  auto* dialog =
      application.CreateForm<TKeptProgramsForm>(keepPrograms_, RunningProgramNames(system_), title_);
  if (dialog->ShowModal() == mrOk) {
    keepPrograms_ = dialog->Programs();
    showKeptCount();
  }
  delete dialog;
}

void TFreeMemoryPage::showKeptCount() {
  btnKeepPrograms->SetCaption(
      "Never trim these programs..." +
      (keepPrograms_.empty() ? std::string() : " (" + std::to_string(keepPrograms_.size()) + ")"));
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
