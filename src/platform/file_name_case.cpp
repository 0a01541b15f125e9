#include "platform/file_name_case.h"

#include "platform/unicode.h"

namespace vantrel {

namespace {

// Whether `unit` lies in [first, last] where capital and small letters alternate, the capital first at
// `first`'s parity.
bool inPairs(char16_t unit, char16_t first, char16_t last) {
  return unit >= first && unit <= last && (unit - first) % 2 == 1;
}

char16_t upper(char16_t unit) {
  if ((unit >= u'a' && unit <= u'z') || (unit >= 0xE0 && unit <= 0xFE && unit != 0xF7) ||
      (unit >= 0x3B1 && unit <= 0x3CB && unit != 0x3C2) || (unit >= 0x430 && unit <= 0x44F) ||
      (unit >= 0xFF41 && unit <= 0xFF5A)) {
    return static_cast<char16_t>(unit - 0x20);
  }
  switch (unit) {
    case 0xFF:
      return 0x178;
    case 0x3C2:  // final sigma
      return 0x3A3;
    case 0x3AC:
      return 0x386;
    case 0x3CC:
      return 0x38C;
    case 0x3CD:
    case 0x3CE:
      return static_cast<char16_t>(unit - 0x3F);
    case 0x4CF:
      return 0x4C0;
    default:
      break;
  }
  if (unit >= 0x3AD && unit <= 0x3AF) {
    return static_cast<char16_t>(unit - 0x25);
  }
  if (unit >= 0x450 && unit <= 0x45F) {
    return static_cast<char16_t>(unit - 0x50);
  }
  if (unit >= 0x561 && unit <= 0x586) {
    return static_cast<char16_t>(unit - 0x30);
  }
  // Latin Extended-A (but the dotless i and the long s), Cyrillic's historic and national letters, Latin
  // Extended Additional (Vietnamese among them).
  if ((unit != 0x131 && inPairs(unit, 0x100, 0x137)) || inPairs(unit, 0x139, 0x148) ||
      inPairs(unit, 0x14A, 0x177) || inPairs(unit, 0x179, 0x17E) || inPairs(unit, 0x460, 0x481) ||
      inPairs(unit, 0x48A, 0x4BF) || inPairs(unit, 0x4C1, 0x4CE) || inPairs(unit, 0x4D0, 0x52F) ||
      inPairs(unit, 0x1E00, 0x1E95) || inPairs(unit, 0x1EA0, 0x1EFF)) {
    return static_cast<char16_t>(unit - 1);
  }
  return unit;
}

}  // namespace

std::u16string FileNameUpperCase(std::string_view utf8) {
  std::u16string units = Utf8ToUtf16(utf8);
  for (char16_t& unit : units) {
    unit = upper(unit);
  }
  return units;
}

bool SameFileName(std::string_view a, std::string_view b) {
  return FileNameUpperCase(a) == FileNameUpperCase(b);
}

}  // namespace vantrel
