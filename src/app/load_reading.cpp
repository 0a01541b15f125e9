#include "app/load_reading.h"

#include <cstdio>

#include "framework/sysutils.h"

namespace vantrel {

std::string LoadText(std::int32_t index, double usage, char decimalSeparator) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, "#%d - %5.2f", static_cast<int>(index), usage * 100);
  std::string text = buffer;
  const std::size_t point = text.rfind('.');
  if (point != std::string::npos) {
    text[point] = decimalSeparator;
  }
  return text;
}

std::optional<double> LoadFromText(const std::string& text, std::int32_t index, char decimalSeparator) {
  // "#", the index, a blank and the minus sign: four characters for the indexes 0 to 9, one more for each
  // further digit, so that every instance reads alike.
  const std::size_t prefix = 3 + std::to_string(index).size();
  if (text.size() < prefix) {
    return std::nullopt;
  }
  return TryStrToFloat(text.substr(prefix), decimalSeparator);
}

}  // namespace vantrel
