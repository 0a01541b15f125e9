#include "history/history_chart.h"

#include <algorithm>
#include <vector>

namespace vantrel {

namespace {

// Megabytes to rows: the chart's top figure at row 1, below the top line's row 0; 0 MB just below the chart.
struct Scale {
  std::int64_t top;
  int area;
  int Row(std::int64_t megabytes) const {
    return 1 + static_cast<int>((top - std::clamp<std::int64_t>(megabytes, 0, top)) * area / top);
  }
};

// Per column, the row of the last point in it of one figure; -1 for a column without one.
template <typename Figure>
std::vector<int> columnRows(const MemoryHistory& history, std::uint32_t now, int width, const Scale& scale,
                            Figure figure) {
  std::vector<int> rows(static_cast<std::size_t>(std::max(width, 0)), -1);
  for (std::size_t index = 0; index < history.Count(); ++index) {
    const MemoryHistory::Point point = history.At(index);
    const int column = ChartColumn(point.second, now, width);
    if (const std::int64_t megabytes = figure(point); column >= 0 && megabytes >= 0) {
      rows[static_cast<std::size_t>(column)] = scale.Row(megabytes);
    }
  }
  return rows;
}

// The area below each column's row down to the bottom; neighbouring columns of one height are one rectangle.
void fillArea(platform::Gdi& gdi, platform::GdiObject dc, const std::vector<int>& rows, int height,
              platform::ColorRef colour) {
  const int width = static_cast<int>(rows.size());
  for (int column = 0; column < width;) {
    const int top = rows[static_cast<std::size_t>(column)];
    int end = column + 1;
    while (end < width && rows[static_cast<std::size_t>(end)] == top) {
      ++end;
    }
    if (top >= 0) {
      gdi.FillRect(dc, {column, top, end, height}, colour);
    }
    column = end;
  }
}

// A line two pixels thick through each column's row, joined to the column before where that has one.
void drawLine(platform::Gdi& gdi, platform::GdiObject dc, const std::vector<int>& rows,
              platform::ColorRef colour) {
  int previous = -1;
  for (std::size_t column = 0; column < rows.size(); ++column) {
    const int row = rows[column];
    if (row >= 0) {
      const int from = previous >= 0 ? std::min(previous, row) : row;
      const int to = previous >= 0 ? std::max(previous, row) : row;
      const int left = static_cast<int>(column);
      gdi.FillRect(dc, {left, from - 1, left + 1, to + 1}, colour);
    }
    previous = row;
  }
}

}  // namespace

int ChartColumn(std::uint32_t second, std::uint32_t now, int width) {
  if (second > now || now - second >= kHistorySeconds || width <= 0) {
    return -1;
  }
  return width - 1 -
         static_cast<int>(std::uint64_t{now - second} * static_cast<std::uint64_t>(width) / kHistorySeconds);
}

std::int64_t ChartTopMegabytes(const MemoryHistory& history, std::uint32_t now, std::int64_t totalMegabytes) {
  std::int64_t top = std::max<std::int64_t>({totalMegabytes, history.CommitLimitMegabytes(), 1});
  for (std::size_t index = 0; index < history.Count(); ++index) {
    const MemoryHistory::Point point = history.At(index);
    if (point.committedMegabytes != kNotTold && ChartColumn(point.second, now, 1) >= 0) {
      top = std::max<std::int64_t>(top, point.committedMegabytes);
    }
  }
  return top;
}

std::string ChartLegend(const MemoryHistory& history, std::uint32_t now, std::int64_t totalMegabytes) {
  std::string legend = "Green: free   ";
  if (history.CommitLimitMegabytes() > 0) {
    legend += "Red: committed   ";
  }
  return legend + "Grey: total (" + std::to_string(totalMegabytes) +
         " MB)   Top: " + std::to_string(ChartTopMegabytes(history, now, totalMegabytes)) + " MB";
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
  const Scale scale{ChartTopMegabytes(history, now, totalMegabytes), height - 1};
  fillArea(gdi, dc,
           columnRows(history, now, width, scale,
                      [](const MemoryHistory::Point& point) { return std::int64_t{point.freeMegabytes}; }),
           height, kChartFree);
  // At the top where physical memory is the scale's whole.
  const int total = scale.Row(totalMegabytes) - 1;
  gdi.FillRect(dc, {0, total, width, total + 1}, kChartTotal);
  drawLine(gdi, dc,
           columnRows(history, now, width, scale,
                      [](const MemoryHistory::Point& point) {
                        return point.committedMegabytes == kNotTold ? -1
                                                                    : std::int64_t{point.committedMegabytes};
                      }),
           kChartCommitted);
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
