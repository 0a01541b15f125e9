// Text at the system's edge. The program holds text as UTF-8; Windows' wide calls take and give UTF-16. The
// conversions are lossless both ways, even for a name with a lone surrogate half (which Windows allows in
// file and registry names): such a half travels through UTF-8 as its own three-byte sequence.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

// UTF-16 text as the registry stores a string value: little-endian code units, nothing added.
std::vector<std::uint8_t> Utf16LeBytes(std::u16string_view text);
// The code units of little-endian bytes; an odd last byte counts as a unit of its own.
std::u16string FromUtf16LeBytes(const std::vector<std::uint8_t>& bytes);

}  // namespace vantrel
