// TSpinEdit: a text box with up and down arrows and two bounds, for whole numbers. Its text is its only
// storage: the value is read from the text each time. The native arrows carry the bounds and the value, so
// that assistive technology reads the real range.
#pragma once

#include <cstdint>
#include <string>

#include "framework/controls.h"

namespace vantrel {

class TSpinEdit : public TControl {
 public:
  using TControl::TControl;
  TControlKind Kind() const override { return TControlKind::SpinEdit; }

  std::int32_t MinValue() const { return minValue_; }
  void SetMinValue(std::int32_t value);
  std::int32_t MaxValue() const { return maxValue_; }
  void SetMaxValue(std::int32_t value);

  // The caption is the text; text put in by the program is not clamped.
  const std::string& Text() const { return Caption(); }
  void SetText(const std::string& text);

  // The text as a whole number; the lower bound when the text is not one.
  std::int32_t Value() const;
  // Puts the value, clamped to the bounds, in as text.
  void SetValue(std::int64_t value);
  // The value clamped to the bounds; equal bounds mean no bounds.
  std::int32_t CheckValue(std::int64_t value) const;

  // The arrow buttons and the Up and Down keys.
  void UpClick() { SetValue(static_cast<std::int64_t>(Value()) + 1); }
  void DownClick() { SetValue(static_cast<std::int64_t>(Value()) - 1); }
  // A typed character: true when it may go into the text; a refused one beeps.
  bool KeyPress(char key);
  // The edit lost the keyboard focus: a value outside the bounds becomes the nearer bound.
  void DoExit();
  // The user changed the text in the native edit.
  void UserEdit(const std::string& text);

 protected:
  void SyncNative() override;

 private:
  void mirrorArrows();

  std::int32_t minValue_ = 0;
  std::int32_t maxValue_ = 100;
};

}  // namespace vantrel
