// The History tab's chart: free memory over the last hour as a filled area, now at the right edge, the total
// as a line along the top, and each pass as a vertical mark, user passes and automatic ones in two colours.
#pragma once

#include <cstdint>

#include "history/memory_history.h"
#include "platform/gdi.h"

namespace vantrel {

constexpr platform::ColorRef kChartBackground = 0xFFFFFF;
constexpr platform::ColorRef kChartFree = 0x80C080;
constexpr platform::ColorRef kChartTotal = 0x404040;
constexpr platform::ColorRef kChartUserPass = 0xD06000;
constexpr platform::ColorRef kChartAutomaticPass = 0x0080F0;

// The column of a chart `width` pixels wide where second `second` lies when `now` is at its right edge; -1
// for a second more than an hour back (or after now).
int ChartColumn(std::uint32_t second, std::uint32_t now, int width);

// A new bitmap of the chart, which the caller owns; 0 when the system refuses one.
platform::GdiObject DrawHistoryChart(platform::Gdi& gdi, const MemoryHistory& history, std::uint32_t now,
                                     std::int64_t totalMegabytes, int width, int height);

}  // namespace vantrel
