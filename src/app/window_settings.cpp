#include "app/window_settings.h"

namespace vantrel {

namespace {

constexpr char kSection[] = "Window";
constexpr char kWidth[] = "Width";
constexpr char kHeight[] = "Height";
constexpr char kHideWindowsEntries[] = "HideWindowsEntries";

std::int32_t side(TIniFile& ini, const char* key, std::int32_t smallest) {
  const std::int32_t value = ini.ReadInteger(kSection, key, smallest);
  return value >= smallest && value <= kWindowSideMax ? value : smallest;
}

}  // namespace

WindowSize ReadWindowSize(TIniFile& ini) {
  return {side(ini, kWidth, kWindowWidth), side(ini, kHeight, kWindowHeight)};
}

void WriteWindowSize(TIniFile& ini, const WindowSize& size) {
  ini.WriteInteger(kSection, kWidth, size.width);
  ini.WriteInteger(kSection, kHeight, size.height);
}

bool ReadHideWindowsEntries(TIniFile& ini) {
  return ini.ReadInteger(kSection, kHideWindowsEntries, 1) != 0;
}

void WriteHideWindowsEntries(TIniFile& ini, bool hide) {
  ini.WriteInteger(kSection, kHideWindowsEntries, hide ? 1 : 0);
}

}  // namespace vantrel
