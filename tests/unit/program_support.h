// What the tests of the main window share: a machine's paths and the settings file's text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vantrel {

constexpr std::uint64_t kMiB = 1048576;
constexpr char kExe[] = "C:\\Apps\\Vantrel\\Vantrel.exe";
constexpr char kIni[] = "C:\\Apps\\Vantrel\\Vantrel.ini";

// The settings file with these lines in its one section.
inline std::string settingsText(const std::vector<std::string>& keys) {
  std::string text = "[Vantrel]\r\n";
  for (const std::string& key : keys) {
    text += key + "\r\n";
  }
  return text;
}

// The [FreeMemory] section as the first exit writes it, after [Vantrel].
constexpr char kFreeMemoryDefaults[] =
    "[FreeMemory]\r\nWorkingSets=1\r\nFileCache=1\r\nStandbyLowPriority=1\r\nStandby=0\r\nModifiedList=0\r\n"
    "CombinedPages=0\r\nRegistryCache=0\r\nBelowPercent=0\r\nCooldownMinutes=5\r\nHotkey=0\r\nHotkeyOn=0\r\n";
// The [Window] section as the first exit writes it, after [FreeMemory]: the smallest window.
constexpr char kWindowDefaults[] = "[Window]\r\nWidth=452\r\nHeight=311\r\nHideWindowsEntries=1\r\n";
// The [History] section as the first exit writes it, after [Window].
constexpr char kHistoryDefaults[] = "[History]\r\nLog=0\r\n";
// The [Tray] section as the first exit writes it, after [History].
constexpr char kTrayDefaults[] =
    "[Tray]\r\nLowPercent=20\r\nCriticalPercent=10\r\nLowColor=B04A00\r\nCriticalColor=C00000\r\n";

}  // namespace vantrel
