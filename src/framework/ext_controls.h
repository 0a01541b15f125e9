// Panels and flat picture buttons.
#pragma once

#include "framework/controls.h"
#include "framework/graphics.h"

namespace vantrel {

class TPanel : public TWinControl {
 public:
  using TWinControl::TWinControl;
  TControlKind Kind() const override { return TControlKind::Panel; }

  TColor Color = clBtnFace;
};

// A picture the program draws: it shows the bitmap last given, stretched to its size. The giver keeps the
// bitmap and deletes it once another has replaced it.
class TImage : public TControl {
 public:
  using TControl::TControl;
  TControlKind Kind() const override { return TControlKind::Image; }

  std::uintptr_t Bitmap() const { return bitmap_; }
  void SetBitmap(std::uintptr_t bitmap);

 protected:
  void SyncNative() override;

 private:
  std::uintptr_t bitmap_ = 0;
};

// A button without a raised frame, showing its glyph and/or its caption; clicks run OnClick.
class TSpeedButton : public TControl {
 public:
  using TControl::TControl;
  TControlKind Kind() const override { return TControlKind::SpeedButton; }

  TBitmap Glyph;
  bool Flat = true;
  // The shield drawn beside the caption: the click asks for administrator rights (Vista on; a raised button).
  bool Shield = false;
};

}  // namespace vantrel
