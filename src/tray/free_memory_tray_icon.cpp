#include "tray/free_memory_tray_icon.h"

#include "framework/sysutils.h"
#include "tray/compact_figure.h"

namespace vantrel {

std::optional<CompactFigure> TFreeMemoryTrayIcon::compactForm(const TextIconLook& look) {
  const std::optional<std::int32_t> megabytes = TryStrToInt(look.Text);
  if (!megabytes || *megabytes < 0 ||
      FitsTheIcon(measure_.Extent(look.Font, look.Text).cx, look.OffsetX, look.Size)) {
    return std::nullopt;
  }
  return CompactMegabytes(*megabytes, CompactCharacters(look.Size));
}

void TFreeMemoryTrayIcon::RenderText() {
  const TextIconLook look = Look();
  const std::optional<CompactFigure> compact = compactForm(look);
  TextBitmap() = RenderOnKey(Gdi(), look, MaskColor, [&](platform::GdiObject dc) {
    if (compact) {
      DrawCompactFigure(Gdi(), dc, *compact, ColorToRGB(Gdi(), look.Font.Color), look.Size);
    } else {
      DrawTextLines(Gdi(), dc, look);
    }
  });
}

std::string TFreeMemoryTrayIcon::DrawingKey(const TextIconLook& look) {
  // Marked by the first character, so that no text stands for a figure.
  const std::optional<CompactFigure> compact = compactForm(look);
  return compact ? 'C' + compact->number + ' ' + compact->unit : 'T' + look.Text;
}

}  // namespace vantrel
