#include "framework/spin_edit.h"

#include <algorithm>
#include <limits>

#include "framework/application.h"
#include "framework/sysutils.h"

namespace vantrel {

namespace {
constexpr char kEnter = 13;
}

std::int32_t TSpinEdit::Value() const {
  return TryStrToInt(Text()).value_or(MinValue);
}

std::int32_t TSpinEdit::CheckValue(std::int64_t value) const {
  if (MaxValue != MinValue) {
    value = std::clamp<std::int64_t>(value, MinValue, MaxValue);
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
