#include "program/command_line.h"

#include <algorithm>
#include <utility>

namespace vantrel {

namespace {

constexpr std::int32_t kLargestPass = 1024;

// The switch's name in lower case without its "/" or "-"; empty when the argument is no switch.
std::string switchName(const std::string& argument) {
  if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-')) {
    return {};
  }
  std::string name = argument.substr(1);
  std::transform(name.begin(), name.end(), name.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  return name;
}

StartRequest wrongUsage(std::string problem) {
  return {StartAction::Usage, 0, kWrongUsage, std::move(problem)};
}

}  // namespace

std::optional<std::int32_t> PassMegabytes(const std::string& text) {
  // Leading zeros aside, more than four digits are out of range whatever they say.
  const std::size_t first = std::min(text.find_first_not_of('0'), text.size());
  if (text.empty() || text.size() - first > 4 ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  std::int32_t megabytes = 0;
  for (std::size_t index = first; index < text.size(); ++index) {
    megabytes = megabytes * 10 + (text[index] - '0');
  }
  if (megabytes < 1 || megabytes > kLargestPass) {
    return std::nullopt;
  }
  return megabytes;
}

StartRequest ParseCommandLine(const std::vector<std::string>& arguments) {
  if (arguments.empty()) {
    return {};
  }
  const std::string name = switchName(arguments[0]);
  if (name != "?" && name != "freeall" && name != "free" && name != "logon") {
    return wrongUsage("Unknown switch: " + arguments[0]);
  }
  const std::size_t count = name == "free" ? 2 : 1;
  if (arguments.size() > count) {
    return wrongUsage("Unexpected argument: " + arguments[count]);
  }
  if (name == "?") {
    return {StartAction::Usage, 0, 0, {}};
  }
  if (name == "logon") {
    return {StartAction::LogOn, 0, 0, {}};
  }
  if (name == "freeall") {
    return {StartAction::Pass, kWholeMemoryPass, 0, {}};
  }
  constexpr char kFreeNeeds[] = "/free needs a whole number from 1 to 1024";
  if (arguments.size() < 2) {
    return wrongUsage(kFreeNeeds);
  }
  if (const std::optional<std::int32_t> megabytes = PassMegabytes(arguments[1])) {
    return {StartAction::Pass, *megabytes, 0, {}};
  }
  return wrongUsage(std::string(kFreeNeeds) + ": " + arguments[1]);
}

}  // namespace vantrel
