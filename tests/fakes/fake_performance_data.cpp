#include "fake_performance_data.h"

#include <algorithm>

#include "platform/registry.h"

namespace vantrel::fakes {

namespace {

bool leapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && leapYear(year) ? 29 : days[month - 1];
}

}  // namespace

long FakePerformanceData::RegQueryValueExA(const char* valueName, std::uint8_t* data,
                                           std::uint32_t* dataSize) {
  valueNames.push_back(valueName);
  bufferSizes.push_back(*dataSize);
  if (faults.shouldFail("RegQueryValueExA")) {
    return platform::kErrorAccessDenied;
  }
  if (*dataSize < block.size()) {
    // What the size then holds is not defined; the system's own answer leaves 0 there.
    *dataSize = 0;
    return platform::kErrorMoreData;
  }
  std::copy(block.begin(), block.end(), data);
  *dataSize = static_cast<std::uint32_t>(block.size());
  return platform::kErrorSuccess;
}

bool FakePerformanceData::SystemTimeToFileTime(const platform::SystemTime& t, std::int64_t& fileTime) {
  if (faults.shouldFail("SystemTimeToFileTime")) {
    return false;
  }
  if (t.year < 1601 || t.year > 30827 || t.month < 1 || t.month > 12 || t.day < 1 ||
      t.day > daysInMonth(t.year, t.month) || t.hour > 23 || t.minute > 59 || t.second > 59 ||
      t.milliseconds > 999) {
    return false;
  }
  std::int64_t days = 0;
  for (int year = 1601; year < t.year; ++year) {
    days += leapYear(year) ? 366 : 365;
  }
  for (int month = 1; month < t.month; ++month) {
    days += daysInMonth(t.year, month);
  }
  days += t.day - 1;
  const std::int64_t milliseconds =
      ((days * 24 + t.hour) * 60 + t.minute) * 60000 + t.second * 1000 + t.milliseconds;
  fileTime = milliseconds * 10000;
  return true;
}

}  // namespace vantrel::fakes
