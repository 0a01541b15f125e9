// What the History tab, the tray tip and the log file say of a pass. Figures are whole megabytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "history/pass_watch.h"

namespace vantrel {

constexpr char kNotMeasured[] = "not measured";
constexpr char kCutShort[] = "cut short";
// Added to "Back in use" where that pass's figures changed the automatic rules' pause.
constexpr char kPausedLonger[] = "paused longer: memory came back";
constexpr char kPauseShorter[] = "pause shorter: memory stayed";

// "click", "menu", "button", "hotkey", "command line", "automatic".
const char* PassKindName(PassKind kind);
// A FILETIME as "2026-12-07T12:00:00" (the caller adds a zone's letter where it has one).
std::string IsoTime(std::uint64_t fileTime);
// Megabytes read for that many pages of `pageSize` bytes.
std::int64_t PagesToMegabytes(std::uint64_t pages, std::uint32_t pageSize);

// The list's row: "Time" (`localStart`, the start in local time, as "12:00:00"), "Kind", "Freed", "Back in
// use", "Read from disk"; the last two "…" while watched.
std::vector<std::string> PassRow(const PassRecord& pass, std::uint64_t localStart, std::uint32_t pageSize);
// The tray tip's second line for a watched pass: "Last pass: freed 812 MB, 540 MB back in use after 60 s,
// 310 MB read from disk".
std::string LastPassTip(const PassRecord& pass, std::uint32_t pageSize);
// The same in brief, for a tip with more lines: "Last pass: freed 812 MB, 540 MB back, 310 MB read".
std::string LastPassBrief(const PassRecord& pass, std::uint32_t pageSize);
// The log's first line, and its line for a pass whose watch is over, each ending in "\r\n": time (UTC), kind,
// regions, MB before, after, 60 s after, read from disk.
std::string PassLogHeader();
std::string PassLogLine(const PassRecord& pass, std::uint32_t pageSize);

}  // namespace vantrel
