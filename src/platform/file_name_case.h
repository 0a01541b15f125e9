// File names compared as Windows compares them: without regard to case, code unit by code unit after each is
// made upper case, for every script with case (Latin, Greek, Cyrillic, Armenian and their accented letters),
// not only ASCII. Portable, so that the same answer holds on every Windows and off it; a letter whose upper
// case Windows' own table might not share (the dotless i, the long s) is compared as it is.
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

// The name's UTF-16 code units, each in upper case.
std::u16string FileNameUpperCase(std::string_view utf8);
bool SameFileName(std::string_view a, std::string_view b);

}  // namespace vantrel
