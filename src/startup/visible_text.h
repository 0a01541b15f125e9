// Text that another program wrote (a value's name, a command line, a file's CompanyName), made safe to show:
// it must not reorder what it is shown with nor break a line.
#pragma once

#include <string>

namespace vantrel {

// The text with each character that would be obeyed rather than shown written out instead: NUL as "\0"; every
// other control character (C0, DEL, C1), line and paragraph separator and direction mark (U+061C, U+200E,
// U+200F, U+202A-U+202E, U+2066-U+2069) as "\u" and four hexadecimal digits, "\u202E".
std::string VisibleText(const std::string& text);

}  // namespace vantrel
