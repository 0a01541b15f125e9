// The processor load as the window reads it. Each instance's usage is written as "#<index> - <percent>", the
// percent right-aligned in five characters with two decimals and the locale's separator, and the text of the
// last instance is read back after its index: the reading is that instance's usage in percent, rounded to two
// decimals (0.0523 reads 5.23, 1.0 reads 100).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vantrel {

std::string LoadText(std::int32_t index, double usage, char decimalSeparator);
// The percent in the load text of instance `index`; empty when it holds no number (a usage that is not
// finite).
std::optional<double> LoadFromText(const std::string& text, std::int32_t index, char decimalSeparator);

}  // namespace vantrel
