#include "app/free_memory_tray_icon.h"

#include "app/compact_figure.h"
#include "framework/sysutils.h"

namespace vantrel {

void TFreeMemoryTrayIcon::RenderText() {
  const TextIconLook look = Look();
  const std::optional<std::int32_t> megabytes = TryStrToInt(look.Text);
  TextBitmap() = RenderOnKey(Gdi(), look, MaskColor, [&](platform::GdiObject dc) {
    if (megabytes && *megabytes >= 0 &&
        !FitsTheIcon(TextExtent(Gdi(), dc, look.Text).cx, look.OffsetX, look.Size)) {
      DrawCompactFigure(Gdi(), dc, CompactMegabytes(*megabytes, CompactCharacters(look.Size)),
                        ColorToRGB(Gdi(), look.Font.Color), look.Size);
    } else {
      DrawTextLines(Gdi(), dc, look);
    }
  });
}

}  // namespace vantrel
