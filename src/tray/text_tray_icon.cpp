#include "tray/text_tray_icon.h"

#include <memory>

#include "framework/application.h"

namespace vantrel {

namespace {

// A drawn icon as the image of a TIcon: the tray shows it for as long as any copy holds it.
class DrawnIcon final : public TIconImage {
 public:
  explicit DrawnIcon(GdiOwned icon) : icon_(std::move(icon)) {}
  std::uintptr_t Handle() const override { return icon_.get(); }

 private:
  GdiOwned icon_;
};

}  // namespace

void TOffsetOptions::NotifyChange() {
  if (OnChange) {
    OnChange(this);
  }
}

void TOffsetOptions::change(std::int32_t& field, std::int32_t value) {
  if (field != value) {
    field = value;
    NotifyChange();
  }
}

TTextTrayIcon::TTextTrayIcon(TComponent* AOwner)
    : TTrayIcon(AOwner),
      gdi_(*AOwner->Application()->Services().gdi),
      backgroundHandle_(gdi_, GdiOwned::Kind::Icon, 0),
      textBitmap_(gdi_, GdiOwned::Kind::Object, 0) {
  options_.OnChange = [this](TObject*) { RebuildIcon(); };
}

TTextTrayIcon::~TTextTrayIcon() = default;

void TTextTrayIcon::SetBackgroundIcon(const TIcon& value) {
  backgroundIcon_ = value;
  backgroundHandle_.reset();
  built_.reset();
  // The old handle's number may come back for another icon.
  backdrop_.bitmap.reset();
  RebuildIcon();
}

void TTextTrayIcon::SetText(const std::string& value) {
  text_ = value;
  RebuildIcon();
}

void TTextTrayIcon::SetFont(const TFont& value) {
  font_ = value;
  RebuildIcon();
}

void TTextTrayIcon::SetColor(TColor value) {
  color_ = value;
  RebuildIcon();
}

void TTextTrayIcon::SetBorder(bool value) {
  border_ = value;
  RebuildIcon();
}

void TTextTrayIcon::SetBorderColor(TColor value) {
  borderColor_ = value;
  RebuildIcon();
}

void TTextTrayIcon::SetOptions(const TOffsetOptions& value) {
  // One rebuild for the three values, not one each.
  options_.OnChange = nullptr;
  options_.SetOffsetX(value.OffsetX());
  options_.SetOffsetY(value.OffsetY());
  options_.SetLineDistance(value.LineDistance());
  options_.OnChange = [this](TObject*) { RebuildIcon(); };
  RebuildIcon();
}

TextIconLook TTextTrayIcon::Look() const {
  TextIconLook look;
  look.Text = text_;
  look.Font = font_;
  look.Color = color_;
  look.Border = border_;
  look.BorderColor = borderColor_;
  look.OffsetX = options_.OffsetX();
  look.OffsetY = options_.OffsetY();
  look.LineDistance = options_.LineDistance();
  return ScaledLook(look, size_);
}

void TTextTrayIcon::RenderText() {
  textBitmap_ = vantrel::RenderText(gdi_, Look(), MaskColor);
}

std::string TTextTrayIcon::DrawingKey(const TextIconLook& look) {
  return look.Text;
}

void TTextTrayIcon::RebuildIcon() {
  SetCycleIcons(false);
  // Asked at every rebuild, so that a change of the system's DPI shows at the next one (the tray text is
  // set every second).
  size_ = TrayIconSize(Windows());
  // A resource icon is loaded at the first rebuild after it was set and again at a new size, so that its own
  // image of that size is used; a drawn one is used as it is.
  if (backgroundIcon_.ResourceId && !backgroundIcon_.Image &&
      (!backgroundHandle_.get() || backgroundSize_ != size_)) {
    // The old handle's number may come back for the new image.
    backdrop_.bitmap.reset();
    backgroundHandle_ =
        GdiOwned(gdi_, GdiOwned::Kind::Icon, gdi_.LoadImageA(backgroundIcon_.ResourceId, size_, size_));
    backgroundSize_ = size_;
  }
  const platform::GdiObject background =
      backgroundIcon_.Image ? backgroundIcon_.Image->Handle() : backgroundHandle_.get();
  Drawing drawing;
  drawing.look = Look();
  drawing.look.Text = DrawingKey(drawing.look);
  drawing.font = ColorToRGB(gdi_, font_.Color);
  drawing.color = ColorToRGB(gdi_, color_);
  drawing.border = ColorToRGB(gdi_, borderColor_);
  drawing.background = background;
  // Drawing, merging and handing the icon over cost far more than this: the figure shown all day seldom
  // changes its pixels.
  const std::shared_ptr<const TIconImage> shown = builtImage_.lock();
  if (shown && shown == Icon().Image && built_ == drawing) {
    return;
  }
  RenderText();
  GdiOwned icon(gdi_, GdiOwned::Kind::Icon, 0);
  if (background) {
    icon = MergeWithBackground(gdi_, textBitmap_.get(), background, color_, font_.Color, MaskColor, backdrop_,
                               size_);
  } else {
    if (color_ != clNone) {
      MaskColor = clNone;
    }
    icon = BitmapToIcon(gdi_, textBitmap_.get(), MaskColor, size_);
  }
  const auto image = std::make_shared<DrawnIcon>(std::move(icon));
  SetIcon(TIcon(image));
  built_ = drawing;
  builtImage_ = image;
}

}  // namespace vantrel
