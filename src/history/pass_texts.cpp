#include "history/pass_texts.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "figures/figures.h"
#include "free_all/free_memory_settings.h"

namespace vantrel {

namespace {

constexpr char kEllipsis[] = "\xE2\x80\xA6";
constexpr std::int64_t kMegabyte = 1 << 20;

std::string megabytes(std::int64_t bytes) {
  return std::to_string(WholeMegabytes(bytes));
}

// Read from disk, as a figure or why there is none.
std::string readText(const PassRecord& pass, std::uint32_t pageSize) {
  return pass.pagesRead ? std::to_string(PagesToMegabytes(*pass.pagesRead, pageSize)) : kNotMeasured;
}

// Back in use (or why there is no figure), and what the pass did to the automatic rules' pause.
std::string backText(const PassRecord& pass, const std::string& back) {
  switch (pass.pause) {
    case PauseChange::Longer:
      return back + "; " + kPausedLonger;
    case PauseChange::Shorter:
      return back + "; " + kPauseShorter;
    case PauseChange::None:
      break;
  }
  return back;
}

}  // namespace

const char* PassKindName(PassKind kind) {
  static constexpr std::array<const char*, 6> kNames = {"click",  "menu",         "button",
                                                        "hotkey", "command line", "automatic"};
  return kNames[static_cast<std::size_t>(kind)];
}

std::string IsoTime(std::uint64_t fileTime) {
  // Days since 1 March of year 0 (proleptic Gregorian), so that the leap day ends each year.
  const std::uint64_t seconds = fileTime / kFileTimeSecond;
  const std::int64_t days = static_cast<std::int64_t>(seconds / 86400) + 584694;  // 1601-01-01
  const std::int64_t era = days / 146097;
  const std::int64_t dayOfEra = days - era * 146097;
  const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
  const auto day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  const auto month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  const auto year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
  const auto ofDay = static_cast<int>(seconds % 86400);
  char text[24];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", year, month, day, ofDay / 3600,
                ofDay / 60 % 60, ofDay % 60);
  return text;
}

std::int64_t PagesToMegabytes(std::uint64_t pages, std::uint32_t pageSize) {
  return static_cast<std::int64_t>(
      std::nearbyint(static_cast<double>(pages) * pageSize / static_cast<double>(kMegabyte)));
}

std::vector<std::string> PassRow(const PassRecord& pass, std::uint64_t localStart, std::uint32_t pageSize) {
  const bool watched = pass.state == WatchState::Done;
  const bool running = pass.state == WatchState::Running;
  const char* pending = pass.state == WatchState::CutShort ? kCutShort : kEllipsis;
  return {IsoTime(localStart).substr(11), PassKindName(pass.kind),
          running ? kEllipsis : megabytes(FreedBytes(pass)),
          backText(pass, watched ? megabytes(BackInUseBytes(pass)) : pending),
          watched ? readText(pass, pageSize) : pending};
}

std::string LastPassTip(const PassRecord& pass, std::uint32_t pageSize) {
  const std::string read = pass.pagesRead ? readText(pass, pageSize) + " MB read from disk"
                                          : std::string("read from disk ") + kNotMeasured;
  return "Last pass: freed " + megabytes(FreedBytes(pass)) + " MB, " + megabytes(BackInUseBytes(pass)) +
         " MB back in use after 60 s, " + read;
}

std::string LastPassBrief(const PassRecord& pass, std::uint32_t pageSize) {
  const std::string read =
      pass.pagesRead ? readText(pass, pageSize) + " MB read" : std::string("read ") + kNotMeasured;
  return "Last pass: freed " + megabytes(FreedBytes(pass)) + " MB, " + megabytes(BackInUseBytes(pass)) +
         " MB back, " + read;
}

std::string PassLogHeader() {
  return "time,kind,regions,MB before,MB after,MB 60 s after,MB read from disk\r\n";
}

std::string PassLogLine(const PassRecord& pass, std::uint32_t pageSize) {
  const bool done = pass.state == WatchState::Done;
  const std::string later = done ? megabytes(pass.later) : kCutShort;
  const std::string read = done ? readText(pass, pageSize) : kCutShort;
  char line[256];
  std::snprintf(line, sizeof line, "%sZ,%s,%s,%lld,%lld,%s,%s\r\n", IsoTime(pass.started).c_str(),
                PassKindName(pass.kind), RegionNames(pass.regions).c_str(),
                static_cast<long long>(WholeMegabytes(pass.before)),
                static_cast<long long>(WholeMegabytes(pass.after)), later.c_str(), read.c_str());
  return line;
}

}  // namespace vantrel
