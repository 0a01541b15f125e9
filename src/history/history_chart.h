// The History tab's chart: free memory over the last hour as a filled area, now at the right edge, committed
// memory as a line over it, the total as a line at its height, and each pass as a vertical mark, user passes
// and automatic ones in two colours. One scale in megabytes for all of them: the chart's height stands for
// the larger of physical memory and the commit limit (physical memory plus the page files), since committed
// memory may exceed physical memory up to that limit.
#pragma once

#include <cstdint>
#include <string>

#include "history/memory_history.h"
#include "platform/gdi.h"

namespace vantrel {

constexpr platform::ColorRef kChartBackground = 0xFFFFFF;
constexpr platform::ColorRef kChartFree = 0x80C080;
constexpr platform::ColorRef kChartTotal = 0x404040;
constexpr platform::ColorRef kChartCommitted = 0x2020C0;
constexpr platform::ColorRef kChartUserPass = 0xD06000;
constexpr platform::ColorRef kChartAutomaticPass = 0x0080F0;

// The column of a chart `width` pixels wide where second `second` lies when `now` is at its right edge; -1
// for a second more than an hour back (or after now).
int ChartColumn(std::uint32_t second, std::uint32_t now, int width);

// The megabytes the chart's height stands for: physical memory, the commit limit, or a committed point of the
// last hour above both, whichever is largest; at least 1.
std::int64_t ChartTopMegabytes(const MemoryHistory& history, std::uint32_t now, std::int64_t totalMegabytes);

// The line under the chart that names its colours and its scale.
std::string ChartLegend(const MemoryHistory& history, std::uint32_t now, std::int64_t totalMegabytes);

// A new bitmap of the chart, which the caller owns; 0 when the system refuses one.
platform::GdiObject DrawHistoryChart(platform::Gdi& gdi, const MemoryHistory& history, std::uint32_t now,
                                     std::int64_t totalMegabytes, int width, int height);

}  // namespace vantrel
