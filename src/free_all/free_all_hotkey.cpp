#include "free_all/free_all_hotkey.h"

namespace vantrel {

namespace {

std::uint32_t modifiersOf(std::uint16_t word) {
  const unsigned keys = word >> 8;
  return (keys & kHotkeyfShift ? platform::kModShift : 0) |
         (keys & kHotkeyfControl ? platform::kModControl : 0) | (keys & kHotkeyfAlt ? platform::kModAlt : 0);
}

}  // namespace

bool HotkeyUsable(std::uint16_t word) {
  return (word & 0xFF) != 0 && ((word >> 8) & (kHotkeyfControl | kHotkeyfAlt)) != 0;
}

bool FreeAllHotkey::Hold(platform::HWnd window, std::uint16_t word) {
  Release();
  if (!HotkeyUsable(word)) {
    return false;
  }
  const std::uint32_t modifiers = modifiersOf(word);
  const std::uint32_t key = word & 0xFF;
  // Windows before 7 may refuse the flag it does not know; there the window ignores the repeats itself.
  if (!windows_.RegisterHotKey(window, kFreeAllHotkeyId, modifiers | platform::kModNoRepeat, key) &&
      !windows_.RegisterHotKey(window, kFreeAllHotkeyId, modifiers, key)) {
    return false;
  }
  window_ = window;
  held_ = true;
  word_ = word;
  return true;
}

void FreeAllHotkey::Release() {
  if (held_) {
    windows_.UnregisterHotKey(window_, kFreeAllHotkeyId);
    held_ = false;
  }
}

}  // namespace vantrel
