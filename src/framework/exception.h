// The root of the program's exception classes: an error that carries its message text.
#pragma once

#include <stdexcept>
#include <string>

namespace vantrel {

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};

}  // namespace vantrel
