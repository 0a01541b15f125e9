#include "startup/visible_text.h"

#include <cstdio>

#include "platform/unicode.h"

namespace vantrel {

namespace {

bool obeyed(char16_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F ||
         (c >= 0x2028 && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

}  // namespace

std::string VisibleText(const std::string& text) {
  const std::u16string wide = Utf8ToUtf16(text);
  std::u16string shown;
  shown.reserve(wide.size());
  for (const char16_t c : wide) {
    if (c == 0) {
      shown += u"\\0";
    } else if (obeyed(c)) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(c));
      shown += Utf8ToUtf16(escape);
    } else {
      shown += c;
    }
  }
  return Utf16ToUtf8(shown);
}

}  // namespace vantrel
