#include "app/window_layout.h"

#include <algorithm>

#include "app/window_settings.h"

namespace vantrel {

namespace {

// The page of the smallest window: the tab control's display area, in the page's own units.
constexpr int kPageWidth = kWindowWidth - 8;
constexpr int kFilterHeight = 20;
constexpr int kLiveHeight = 124;
constexpr int kPanelHeight = 22;
constexpr int kBackupHeight = 135;

}  // namespace

StartupLayout LayOutStartupPage(int width, int height) {
  const int wider = std::max(width, kWindowWidth) - kWindowWidth;
  const int taller = std::max(height, kWindowHeight) - kWindowHeight;
  const int pageWidth = kPageWidth + wider;
  const int live = kLiveHeight + taller / 2;
  const int backup = kBackupHeight + taller - taller / 2;
  // The box's row takes the top of the upper list's place: the panel and the lower list stay where they were.
  return {{0, kFilterHeight, pageWidth, live - kFilterHeight},
          {0, live, pageWidth, kPanelHeight},
          {0, live + kPanelHeight, pageWidth, backup},
          {0, 0, pageWidth, kFilterHeight}};
}

}  // namespace vantrel
