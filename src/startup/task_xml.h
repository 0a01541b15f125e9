// A small reader of the Task Scheduler's task definitions: the text of an element found by its name, within
// another. Enough for what the definitions that Windows writes hold (elements with or without a namespace
// prefix or attributes, the five entities of XML and character references), and safe on any text: a broken
// or truncated definition only finds less.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// Where an element's content lies in the definition: from just after its start tag to its end tag.
struct XmlSpan {
  std::size_t Begin = 0;
  std::size_t End = 0;
};

// The first element named `name` (its local name, any prefix) that starts at or after `from` and ends within
// `within`; none where there is none whole. An empty element (<Exec/>) has empty content.
std::optional<XmlSpan> XmlElement(std::string_view xml, std::string_view name, XmlSpan within,
                                  std::size_t from);
inline std::optional<XmlSpan> XmlElement(std::string_view xml, std::string_view name, XmlSpan within) {
  return XmlElement(xml, name, within, within.Begin);
}
// The whole definition as a span.
inline XmlSpan XmlWhole(std::string_view xml) {
  return {0, xml.size()};
}

// The content's text with its entities and character references replaced; one that is not known stays as
// written.
std::string XmlText(std::string_view xml, XmlSpan content);

// The text of the element `name` within `within`; none where there is no such element.
std::optional<std::string> XmlChildText(std::string_view xml, std::string_view name, XmlSpan within);

}  // namespace vantrel
