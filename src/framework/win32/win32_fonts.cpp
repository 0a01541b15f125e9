// Win32 only: the fonts of the framework's controls, with a close relative where a named font is missing.
#include "framework/win32/win32_fonts.h"

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "framework/win32/win32_dpi.h"

namespace vantrel::win32 {

namespace {

struct Family {
  const char* name;
  BYTE pitchAndFamily;
  std::vector<const char*> relatives;  // first one installed wins
};

// Fonts that a Windows machine may lack (they come with other products), and the ones the layout names that
// other systems lack: each with relatives of the same look, then the family for the system's own choice.
const std::vector<Family>& families() {
  static const std::vector<Family> known = {
      {"Arial", FF_SWISS | VARIABLE_PITCH, {"Liberation Sans", "Helvetica", "DejaVu Sans"}},
      {"MS Sans Serif", FF_SWISS | VARIABLE_PITCH, {"Microsoft Sans Serif", "Tahoma", "Liberation Sans"}},
      {"Bell MT",
       FF_ROMAN | VARIABLE_PITCH,
       {"Georgia", "Book Antiqua", "P052", "Times New Roman", "Liberation Serif"}},
      {"Brush Script MT",
       FF_SCRIPT | VARIABLE_PITCH,
       {"Segoe Script", "Script MT Bold", "Z003", "Comic Sans MS"}},
      {"Tempus Sans ITC", FF_DECORATIVE | VARIABLE_PITCH, {"Segoe Print", "Comic Sans MS", "Comic Neue"}},
  };
  return known;
}

int CALLBACK foundFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool installed(const char* face) {
  LOGFONTA query{};
  query.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(query.lfFaceName, face, LF_FACESIZE);
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExA(screen, &query, foundFace, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

// The face to ask for, and the family hint that guides the system where none of the relatives is there.
std::pair<std::string, BYTE> resolve(const std::string& name) {
  for (const Family& family : families()) {
    if (lstrcmpiA(family.name, name.c_str()) != 0) {
      continue;
    }
    if (installed(family.name)) {
      return {family.name, family.pitchAndFamily};
    }
    for (const char* relative : family.relatives) {
      if (installed(relative)) {
        return {relative, family.pitchAndFamily};
      }
    }
    return {family.name, family.pitchAndFamily};
  }
  return {name, DEFAULT_PITCH | FF_DONTCARE};
}

}  // namespace

HFONT fontFor(const TFont& font, int dpi) {
  static std::map<std::tuple<std::string, int, int, int>, HFONT> fonts;
  const auto key = std::make_tuple(font.Name, font.Height, static_cast<int>(font.Style), dpi);
  if (const auto known = fonts.find(key); known != fonts.end()) {
    return known->second;
  }
  const auto [face, pitchAndFamily] = resolve(font.Name);
  LOGFONTA description{};
  description.lfHeight = scaled(font.Height, dpi);
  description.lfWeight = (font.Style & fsBold) ? FW_BOLD : FW_NORMAL;
  description.lfItalic = (font.Style & fsItalic) ? TRUE : FALSE;
  description.lfUnderline = (font.Style & fsUnderline) ? TRUE : FALSE;
  description.lfStrikeOut = (font.Style & fsStrikeOut) ? TRUE : FALSE;
  description.lfCharSet = DEFAULT_CHARSET;
  description.lfOutPrecision = OUT_DEFAULT_PRECIS;
  description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  description.lfQuality = DEFAULT_QUALITY;
  description.lfPitchAndFamily = pitchAndFamily;
  lstrcpynA(description.lfFaceName, face.c_str(), LF_FACESIZE);
  HFONT handle = CreateFontIndirectA(&description);
  fonts[key] = handle;
  return handle;
}

COLORREF colorRef(TColor color) {
  if (color & 0x80000000u) {
    return GetSysColor(static_cast<int>(color & 0xFF));
  }
  return static_cast<COLORREF>(color);
}

}  // namespace vantrel::win32
