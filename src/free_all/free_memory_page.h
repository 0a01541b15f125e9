// The Free Memory tab's controls: the boxes of the regions, the automatic rule in percent, the hotkey, the
// restart as administrator and the log-on task's box. Made the first time the tab shows; until then its owner
// holds the settings as data, and the hotkey from the start.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/comctrls.h"
#include "framework/ext_controls.h"
#include "framework/spin_edit.h"
#include "framework/std_controls.h"
#include "free_all/free_all_hotkey.h"
#include "free_all/free_memory_settings.h"
#include "platform/system_memory.h"
#include "platform/version.h"

namespace vantrel {

class TApplication;

// The settings as they hold: while the hotkey is on, the combination held, also when the field shows one
// that is not finished; off, when none could be held.
FreeMemorySettings AsHeld(FreeMemorySettings shown, const FreeAllHotkey& hotkey);
// Says in a box, titled `title`, that another program holds `word`; nothing for a word that is no
// combination yet.
void TellHotkeyTaken(TApplication& application, std::uint16_t word, const std::string& title);
// Whether this copy may change the log-on task: the Task Scheduler registers a task at the highest run level
// only for an elevated caller, from Vista on.
bool MayChangeLogonTask(const platform::OsVersionInfo& version, bool elevated);

class TFreeMemoryPage : public TComponent {
 public:
  // Shows `settings`, and the regions that cannot run here greyed with the reason; boxes are titled `title`.
  TFreeMemoryPage(TComponent* owner, TWinControl* sheet, platform::SystemMemory& system,
                  const platform::OsVersionInfo& version, bool elevated, FreeAllHotkey& hotkey,
                  const FreeMemorySettings& settings, const std::string& title);

  // By Region, its box, its caption, why it cannot run here and what it does and costs.
  std::array<TCheckBox*, kRegionCount> RegionBoxes{};
  std::array<TLabel*, kRegionCount> RegionLabels{};
  std::array<TLabel*, kRegionCount> RegionReasons{};
  std::array<TLabel*, kRegionCount> RegionNotes{};
  TCheckBox* CheckBox3;
  TLabel* Label28;
  TSpinEdit* edtBelowPercent;
  TLabel* Label29;
  TLabel* Label30;
  TSpinEdit* edtCooldown;
  TLabel* Label31;
  // Shown only while this copy runs without administrator rights.
  TSpeedButton* btnRestartElevated;
  TCheckBox* chkHotkey;
  TLabel* lblHotkey;
  THotKey* hkFreeAll;
  // Shows whether the task that starts this program elevated at log-on is there; only an elevated copy may
  // change it, from Vista on.
  TCheckBox* chkLogonTask;
  TLabel* lblLogonTask;

  // The restart button's and the log-on task box's clicks, which the owner handles.
  TNotifyEvent OnRestartElevated;
  TNotifyEvent OnLogonTaskClick;

  // The settings as the controls show them (see AsHeld for the hotkey's).
  FreeMemorySettings Settings() const;

  void RegionBoxClick(Region region);
  void chkHotkeyClick(TObject* Sender);
  void hkFreeAllChange(TObject* Sender);

 private:
  // Registers the field's combination while the box is ticked; a refusal is told, and unticks the box.
  void holdHotkey();

  FreeAllHotkey& hotkey_;
  std::string title_;
  // No control shows them here: kept as read, so that the page's settings do not lose them.
  std::vector<std::string> keepPrograms_;
};

}  // namespace vantrel
