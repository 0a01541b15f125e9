// The key combination that runs Free All from anywhere in the session: the Free Memory page's hotkey field
// word, registered with the system on the application window.
#pragma once

#include <cstdint>

#include "framework/comctrls.h"
#include "platform/window_system.h"

namespace vantrel {

// Ctrl+Shift+F: what the page's field offers when the hotkey is first turned on.
constexpr std::uint16_t kOfferedHotkey = (kHotkeyfControl | kHotkeyfShift) << 8 | 'F';
// WM_HOTKEY's wParam for this combination.
constexpr int kFreeAllHotkeyId = 1;

// Whether a field's word names a key that may be registered: a key, held with Ctrl or Alt.
bool HotkeyUsable(std::uint16_t word);

class FreeAllHotkey {
 public:
  explicit FreeAllHotkey(platform::WindowSystem& windows) : windows_(windows) {}
  ~FreeAllHotkey() { Release(); }
  FreeAllHotkey(const FreeAllHotkey&) = delete;
  FreeAllHotkey& operator=(const FreeAllHotkey&) = delete;

  // Registers `word` for `window` in place of the combination held now, without the key's repeats where the
  // system can. False, with none held, when the word is not usable or the system refuses it (another program
  // holds it).
  bool Hold(platform::HWnd window, std::uint16_t word);
  // Gives back the combination held, if any; one that failed to register was never ours to give back.
  void Release();
  bool Held() const { return held_; }
  // The field's word of the combination held.
  std::uint16_t Word() const { return word_; }

 private:
  platform::WindowSystem& windows_;
  platform::HWnd window_ = 0;
  bool held_ = false;
  std::uint16_t word_ = 0;
};

}  // namespace vantrel
