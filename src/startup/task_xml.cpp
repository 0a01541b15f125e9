#include "startup/task_xml.h"

#include <cstdint>

#include "platform/unicode.h"

namespace vantrel {

namespace {

bool nameEnds(char c) {
  return c == '>' || c == '/' || c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Where the tag that starts at `open` ('<') names `name`, past its prefix: the position after the name.
std::optional<std::size_t> afterName(std::string_view xml, std::size_t at, std::string_view name) {
  std::size_t colon = at;
  while (colon < xml.size() && !nameEnds(xml[colon]) && xml[colon] != ':') {
    ++colon;
  }
  const std::size_t local = colon < xml.size() && xml[colon] == ':' ? colon + 1 : at;
  if (xml.compare(local, name.size(), name) != 0 || local + name.size() >= xml.size() ||
      !nameEnds(xml[local + name.size()])) {
    return std::nullopt;
  }
  return local + name.size();
}

// A character reference's code point as UTF-8; none where it is not one.
std::optional<std::string> characterReference(std::string_view body) {
  const bool hex = body.size() > 1 && (body[0] == 'x' || body[0] == 'X');
  const std::string_view digits = body.substr(hex ? 1 : 0);
  if (digits.empty() || digits.size() > 8) {
    return std::nullopt;
  }
  std::uint32_t code = 0;
  for (const char c : digits) {
    const int digit = c >= '0' && c <= '9'          ? c - '0'
                      : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : hex && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                    : -1;
    if (digit < 0) {
      return std::nullopt;
    }
    code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
  }
  if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    return std::nullopt;
  }
  std::u16string text;
  if (code >= 0x10000) {
    text += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
    text += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
  } else {
    text += static_cast<char16_t>(code);
  }
  return Utf16ToUtf8(text);
}

}  // namespace

std::optional<XmlSpan> XmlElement(std::string_view xml, std::string_view name, XmlSpan within,
                                  std::size_t from) {
  const std::size_t end = within.End < xml.size() ? within.End : xml.size();
  for (std::size_t open = xml.find('<', from); open != std::string_view::npos && open < end;
       open = xml.find('<', open + 1)) {
    const std::optional<std::size_t> named = afterName(xml, open + 1, name);
    if (!named) {
      continue;
    }
    const std::size_t close = xml.find('>', *named);
    if (close == std::string_view::npos || close >= end) {
      return std::nullopt;
    }
    if (xml[close - 1] == '/') {
      return XmlSpan{close + 1, close + 1};
    }
    // Its end tag, with the same prefix: the first one after it (these elements do not nest in themselves).
    const std::string_view prefixed = xml.substr(open + 1, *named - open - 1);
    for (std::size_t at = xml.find("</", close); at != std::string_view::npos && at < end;
         at = xml.find("</", at + 2)) {
      if (xml.compare(at + 2, prefixed.size(), prefixed) == 0) {
        std::size_t after = at + 2 + prefixed.size();
        while (after < end &&
               (xml[after] == ' ' || xml[after] == '\t' || xml[after] == '\r' || xml[after] == '\n')) {
          ++after;
        }
        if (after < end && xml[after] == '>') {
          return XmlSpan{close + 1, at};
        }
      }
    }
    return std::nullopt;
  }
  return std::nullopt;
}

std::string XmlText(std::string_view xml, XmlSpan content) {
  static constexpr std::string_view kEntities[] = {"amp&", "lt<", "gt>", "quot\"", "apos'"};
  const std::string_view text = xml.substr(content.Begin, content.End - content.Begin);
  std::string plain;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t semicolon = text[at] == '&' ? text.find(';', at) : std::string_view::npos;
    // A reference is short: a lone '&' stays as it is.
    if (semicolon != std::string_view::npos && semicolon - at <= 10) {
      const std::string_view body = text.substr(at + 1, semicolon - at - 1);
      std::optional<std::string> replaced;
      if (!body.empty() && body[0] == '#') {
        replaced = characterReference(body.substr(1));
      }
      for (const std::string_view entity : kEntities) {
        if (body == entity.substr(0, entity.size() - 1)) {
          replaced = std::string(1, entity.back());
        }
      }
      if (replaced) {
        plain += *replaced;
        at = semicolon + 1;
        continue;
      }
    }
    plain += text[at++];
  }
  return plain;
}

std::optional<std::string> XmlChildText(std::string_view xml, std::string_view name, XmlSpan within) {
  const std::optional<XmlSpan> element = XmlElement(xml, name, within);
  if (!element) {
    return std::nullopt;
  }
  return XmlText(xml, *element);
}

}  // namespace vantrel
