#include "platform/unicode.h"

namespace vantrel {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool continuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

void appendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

void appendUtf16(std::u16string& out, std::uint32_t code) {
  if (code < 0x10000) {
    out += static_cast<char16_t>(code);
  } else {
    code -= 0x10000;
    out += static_cast<char16_t>(0xD800 | (code >> 10));
    out += static_cast<char16_t>(0xDC00 | (code & 0x3FF));
  }
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length;
    std::uint32_t code;
    std::uint32_t least;
    if (lead < 0x80) {
      length = 1, code = lead, least = 0;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2, code = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, code = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, code = lead & 0x07, least = 0x10000;
    } else {
      out += kReplacement;
      ++i;
      continue;
    }
    std::size_t n = 1;
    for (; n < length && i + n < text.size() && continuation(static_cast<unsigned char>(text[i + n])); ++n) {
      code = (code << 6) | (static_cast<unsigned char>(text[i + n]) & 0x3F);
    }
    // A cut or overlong sequence, or one past the last code point, is one replacement character for the bytes
    // read; surrogate halves are let through, as Utf16ToUtf8 writes them.
    if (n < length || code < least || code > 0x10FFFF) {
      out += kReplacement;
    } else {
      appendUtf16(out, code);
    }
    i += n;
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::uint32_t unit = text[i];
    if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] < 0xE000) {
      appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else {
      appendUtf8(out, unit);
    }
  }
  return out;
}

std::vector<std::uint8_t> Utf16LeBytes(std::u16string_view text) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(2 * text.size());
  for (const char16_t unit : text) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return bytes;
}

std::u16string FromUtf16LeBytes(const std::vector<std::uint8_t>& bytes) {
  std::u16string text;
  text.reserve((bytes.size() + 1) / 2);
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    const std::uint8_t high = i + 1 < bytes.size() ? bytes[i + 1] : 0;
    text += static_cast<char16_t>(bytes[i] | (high << 8));
  }
  return text;
}

}  // namespace vantrel
