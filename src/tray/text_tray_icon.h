// TTextTrayIcon: a tray icon that shows a short text, drawn into its image and optionally laid over a
// background icon. The image has the notification area's size; the font, offsets and line spacing are given
// for 16 pixels and scaled with it. Every change of the text or of how it looks draws the image anew at once;
// a drawing that comes out as the one in the tray is not handed to the shell again. TOffsetOptions holds the
// text's offsets and line spacing.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "framework/component.h"
#include "framework/graphics.h"
#include "platform/gdi.h"
#include "tray/gdi_objects.h"
#include "tray/text_rendering.h"
#include "tray/tray_icon.h"

namespace vantrel {

class TOffsetOptions : public TPersistent {
 public:
  std::int32_t OffsetX() const { return offsetX_; }
  void SetOffsetX(std::int32_t value) { change(offsetX_, value); }
  std::int32_t OffsetY() const { return offsetY_; }
  void SetOffsetY(std::int32_t value) { change(offsetY_, value); }
  std::int32_t LineDistance() const { return lineDistance_; }
  void SetLineDistance(std::int32_t value) { change(lineDistance_, value); }

  // Raised after a value changed; the same value again raises nothing.
  TNotifyEvent OnChange;

 protected:
  virtual void NotifyChange();

 private:
  void change(std::int32_t& field, std::int32_t value);

  std::int32_t offsetX_ = 0;
  std::int32_t offsetY_ = 0;
  std::int32_t lineDistance_ = 0;
};

class TTextTrayIcon : public TTrayIcon {
 public:
  explicit TTextTrayIcon(TComponent* AOwner);
  ~TTextTrayIcon() override;

  const TIcon& BackgroundIcon() const { return backgroundIcon_; }
  void SetBackgroundIcon(const TIcon& value);
  const std::string& Text() const { return text_; }
  void SetText(const std::string& value);
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& value);
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  bool Border() const { return border_; }
  void SetBorder(bool value);
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor value);
  TOffsetOptions& Options() { return options_; }
  // Copies the three values.
  void SetOptions(const TOffsetOptions& value);

  // The key colour of the latest rendering.
  TColor MaskColor = clNone;

  // Stops icon cycling and shows the text drawn anew.
  void RebuildIcon();

 protected:
  // Draws the text into the text bitmap.
  virtual void RenderText();
  // What RenderText would draw for this look (Look() of the rebuild under way), as a key: two renderings of
  // the same look with the same key have the same pixels.
  virtual std::string DrawingKey(const TextIconLook& look);
  // What the text looks like now, at the size of the rebuild under way.
  TextIconLook Look() const;
  platform::Gdi& Gdi() const { return gdi_; }
  // The latest rendering, which RenderText replaces.
  GdiOwned& TextBitmap() { return textBitmap_; }

 private:
  // Everything the pixels of a built icon follow from.
  struct Drawing {
    TextIconLook look;                                   // its text is the key of what was drawn
    platform::ColorRef font = 0, color = 0, border = 0;  // system colours as resolved at the time
    platform::GdiObject background = 0;

    bool operator==(const Drawing&) const = default;
  };

  platform::Gdi& gdi_;
  // What the icon built last shows, while the tray still shows that icon.
  std::optional<Drawing> built_;
  std::weak_ptr<const TIconImage> builtImage_;
  // Declared in the reverse of the order they go: the font, the text bitmap, the options, the background.
  TIcon backgroundIcon_;
  GdiOwned backgroundHandle_;
  std::int32_t backgroundSize_ = 0;
  Backdrop backdrop_{gdi_};
  TOffsetOptions options_;
  GdiOwned textBitmap_;
  TFont font_;
  TColor color_ = clBtnFace;
  bool border_ = false;
  TColor borderColor_ = clBlack;
  std::string text_;
  std::int32_t size_ = kTrayImageSize;
};

}  // namespace vantrel
