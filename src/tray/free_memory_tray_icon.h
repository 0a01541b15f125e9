// TextTrayIcon1's kind: a text tray icon whose text is the free memory in whole megabytes. A figure that the
// text icon would draw with digits cut off (more than two digits in its font) is shown in its compact form
// instead; a figure that fits, or any other text, is drawn as the text icon draws it.
#pragma once

#include <optional>
#include <string>

#include "tray/compact_figure.h"
#include "tray/text_measure.h"
#include "tray/text_tray_icon.h"

namespace vantrel {

class TFreeMemoryTrayIcon : public TTextTrayIcon {
 public:
  using TTextTrayIcon::TTextTrayIcon;

 protected:
  void RenderText() override;
  std::string DrawingKey(const TextIconLook& look) override;

 private:
  // The figure in its compact form, when the text is a figure that the look would draw cut off.
  std::optional<CompactFigure> compactForm(const TextIconLook& look);

  TextMeasure measure_{Gdi()};
};

}  // namespace vantrel
