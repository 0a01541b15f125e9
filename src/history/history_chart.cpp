#include "history/history_chart.h"

#include <algorithm>
#include <vector>

namespace vantrel {

int ChartColumn(std::uint32_t second, std::uint32_t now, int width) {
  if (second > now || now - second >= kHistorySeconds || width <= 0) {
    return -1;
  }
  return width - 1 -
         static_cast<int>(std::uint64_t{now - second} * static_cast<std::uint64_t>(width) / kHistorySeconds);
}

platform::GdiObject DrawHistoryChart(platform::Gdi& gdi, const MemoryHistory& history, std::uint32_t now,
                                     std::int64_t totalMegabytes, int width, int height) {
  const platform::GdiObject dc = gdi.CreateCompatibleDC();
  const platform::GdiObject bitmap = gdi.CreateCompatibleBitmap(width, height);
  const platform::GdiObject previous = dc && bitmap ? gdi.SelectObject(dc, bitmap) : 0;
  if (previous == 0) {
    gdi.DeleteObject(bitmap);
    gdi.DeleteDC(dc);
    return 0;
  }
  gdi.FillRect(dc, {0, 0, width, height}, kChartBackground);
  // Below the total's line, the area's top per column: the last point in it.
  const std::int64_t total = std::max<std::int64_t>(totalMegabytes, 1);
  const int area = height - 1;
  std::vector<int> tops(static_cast<std::size_t>(std::max(width, 0)), -1);
  for (std::size_t index = 0; index < history.Count(); ++index) {
    const MemoryHistory::Point point = history.At(index);
    if (const int column = ChartColumn(point.second, now, width); column >= 0) {
      const std::int64_t free = std::min<std::int64_t>(point.freeMegabytes, total);
      tops[static_cast<std::size_t>(column)] = 1 + static_cast<int>((total - free) * area / total);
    }
  }
  // Neighbouring columns of one height are one rectangle.
  for (int column = 0; column < width;) {
    const int top = tops[static_cast<std::size_t>(column)];
    int end = column + 1;
    while (end < width && tops[static_cast<std::size_t>(end)] == top) {
      ++end;
    }
    if (top >= 0) {
      gdi.FillRect(dc, {column, top, end, height}, kChartFree);
    }
    column = end;
  }
  gdi.FillRect(dc, {0, 0, width, 1}, kChartTotal);
  for (const MemoryHistory::Mark& mark : history.Marks()) {
    if (const int column = ChartColumn(mark.second, now, width); column >= 0) {
      gdi.FillRect(dc, {column, 0, column + 1, height},
                   mark.automatic ? kChartAutomaticPass : kChartUserPass);
    }
  }
  gdi.SelectObject(dc, previous);
  gdi.DeleteDC(dc);
  return bitmap;
}

}  // namespace vantrel
