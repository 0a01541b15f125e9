// One rebuild of the text tray icon as the tray text tick makes it (the text drawn, laid over the chip, made
// an icon and handed to the shell), against the bare change of the tray icon to a ready icon, and the rebuild
// at 32 pixels (192 DPI) against the one at 16, in the same run. Windows only (Wine with a display): it needs
// the real drawing layer and notification area.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "median.h"
#include "platform/win32/win32_gdi.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_window_system.h"
#include "tray/text_rendering.h"

using namespace vantrel;

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 9;
  constexpr int kCalls = 200;
  platform::win32::Win32Gdi gdi;
  platform::win32::Win32Shell shell;
  platform::win32::Win32WindowSystem windows;
  const platform::HWnd window = windows.CreateWindowExA(
      "VantrelBench", [&](platform::HWnd w, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) {
        return windows.DefWindowProcA(w, m, wp, lp);
      });

  // The chip at each size: a solid square made an icon, so that every rebuild also merges.
  TextIconLook look;
  look.Text = "88";
  look.Color = 0xC896FF;
  TColor mask = 0;
  const auto chipAt = [&](std::int32_t size) {
    const GdiOwned square = RenderText(gdi, ScaledLook(look, size), mask);
    return BitmapToIcon(gdi, square.get(), clNone, size);
  };
  const GdiOwned chip = chipAt(16);
  const GdiOwned bigChip = chipAt(32);
  look.Color = clBtnFace;
  look.OffsetX = -1;
  look.OffsetY = -2;

  platform::NotifyIconDataA data;
  data.cbSize = sizeof data;
  data.hWnd = window;
  data.uID = 1;
  data.uFlags = platform::kNifIcon;
  data.hIcon = chip.get();
  if (!shell.Shell_NotifyIconA(platform::kNimAdd, data)) {
    std::fprintf(stderr, "no notification area\n");
    return 1;
  }

  const double bare = bench::microsecondsPerCall(
      rounds, kCalls, [&] { shell.Shell_NotifyIconA(platform::kNimModify, data); });
  GdiOwned shown(gdi, GdiOwned::Kind::Icon, 0);
  // Kept between rebuilds, as the component keeps it.
  Backdrop backdrop(gdi);
  int drawn = 0;
  const auto rebuildAt = [&](std::int32_t size, platform::GdiObject background) {
    return bench::microsecondsPerCall(rounds, kCalls, [&] {
      look.Text = std::to_string(10 + drawn++ % 90);
      const TextIconLook scaled = ScaledLook(look, size);
      const GdiOwned text = RenderText(gdi, scaled, mask);
      GdiOwned icon = MergeWithBackground(gdi, text.get(), background, scaled.Color, scaled.Font.Color, mask,
                                          backdrop, size);
      data.hIcon = icon.get();
      shell.Shell_NotifyIconA(platform::kNimModify, data);
      shown = std::move(icon);
    });
  };
  const double rebuild = rebuildAt(16, chip.get());
  const double bigRebuild = rebuildAt(32, bigChip.get());
  data.hIcon = chip.get();
  shell.Shell_NotifyIconA(platform::kNimDelete, data);
  windows.DestroyWindow(window);
  std::printf("bare modify %.1f us, rebuild %.1f us, ratio %.2f (median of %d rounds of %d)\n", bare, rebuild,
              rebuild / bare, rounds, kCalls);
  std::printf("rebuild at 32 px %.1f us, at 16 px %.1f us, ratio %.2f\n", bigRebuild, rebuild,
              bigRebuild / rebuild);
  return 0;
}
