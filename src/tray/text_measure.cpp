#include "tray/text_measure.h"

#include "tray/text_rendering.h"

namespace vantrel {

platform::Size TextMeasure::Extent(const TFont& font, const std::string& text) {
  if (font_ != font) {
    // Forgotten first: a failure on the way leaves no half-made context behind as if it were the font's.
    font_.reset();
    context_.reset();
    fontHandle_ = Made(gdi_, GdiOwned::Kind::Object, gdi_.CreateFontIndirectA(LogFontOf(font)));
    bitmap_ = Made(gdi_, GdiOwned::Kind::Object, gdi_.CreateCompatibleBitmap(1, 1));
    context_.emplace(gdi_, bitmap_.get());
    context_->SelectFont(fontHandle_.get());
    font_ = font;
  }
  return TextExtent(gdi_, context_->get(), text);
}

}  // namespace vantrel
