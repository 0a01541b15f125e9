// The extent of texts in a font, measured in a context kept for that font, so that asking at every tray tick
// makes no drawing objects.
#pragma once

#include <optional>
#include <string>

#include "framework/graphics.h"
#include "platform/gdi.h"
#include "tray/gdi_objects.h"

namespace vantrel {

class TextMeasure {
 public:
  explicit TextMeasure(platform::Gdi& gdi) : gdi_(gdi) {}

  platform::Size Extent(const TFont& font, const std::string& text);

 private:
  platform::Gdi& gdi_;
  std::optional<TFont> font_;
  // Declared in the reverse of the order they go: the context, then the bitmap and the font it held.
  GdiOwned fontHandle_{gdi_, GdiOwned::Kind::Object, 0};
  GdiOwned bitmap_{gdi_, GdiOwned::Kind::Object, 0};
  std::optional<DrawingContext> context_;
};

}  // namespace vantrel
