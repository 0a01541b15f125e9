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
