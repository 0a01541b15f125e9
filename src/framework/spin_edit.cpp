#include "framework/spin_edit.h"

#include <algorithm>
#include <limits>

#include "framework/application.h"
#include "framework/sysutils.h"

namespace vantrel {

namespace {
constexpr char kEnter = 13;
}

void TSpinEdit::SetMinValue(std::int32_t value) {
  minValue_ = value;
  mirrorArrows();
}

void TSpinEdit::SetMaxValue(std::int32_t value) {
  maxValue_ = value;
  mirrorArrows();
}

void TSpinEdit::SetText(const std::string& text) {
  SetCaption(text);
  mirrorArrows();
}

void TSpinEdit::UserEdit(const std::string& text) {
  SetCaptionQuietly(text);
  mirrorArrows();
}

void TSpinEdit::SyncNative() {
  TControl::SyncNative();
  mirrorArrows();
}

void TSpinEdit::mirrorArrows() {
  if (Native()) {
    Native()->SetRange(minValue_, maxValue_);
    Native()->SetPosition(CheckValue(Value()));
  }
}

std::int32_t TSpinEdit::Value() const {
  return TryStrToInt(Text()).value_or(minValue_);
}

std::int32_t TSpinEdit::CheckValue(std::int64_t value) const {
  if (maxValue_ != minValue_) {
    value = std::clamp<std::int64_t>(value, minValue_, maxValue_);
  }
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

void TSpinEdit::SetValue(std::int64_t value) {
  SetText(IntToStr(CheckValue(value)));
}

bool TSpinEdit::KeyPress(char key) {
  TApplication* application = Application();
  const char separator = application ? application->DecimalSeparator() : '.';
  const auto code = static_cast<unsigned char>(key);
  const bool accepted = (key >= '0' && key <= '9') || key == '+' || key == '-' || key == separator ||
                        (code < 32 && key != kEnter);
  if (!accepted && application) {
    application->Beep();
  }
  return accepted;
}

void TSpinEdit::DoExit() {
  const std::int32_t value = Value();
  if (CheckValue(value) != value) {
    SetValue(value);
  }
}

}  // namespace vantrel
