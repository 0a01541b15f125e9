// The History tab's controls: the chart of free memory over the last hour, the list of the last passes with
// what each bought, and the log file's box. Made the first time the tab shows: what it shows is gathered by
// its owner from the start, whether or not the tab is ever opened.
#pragma once

#include <cstdint>

#include "framework/comctrls.h"
#include "framework/ext_controls.h"
#include "framework/std_controls.h"
#include "history/memory_history.h"
#include "history/pass_watch.h"
#include "platform/gdi.h"
#include "platform/time_of_day.h"

namespace vantrel {

class THistoryPage : public TComponent {
 public:
  THistoryPage(TComponent* owner, TWinControl* sheet, platform::Gdi& gdi, platform::TimeOfDay& timeOfDay,
               std::uint32_t pageSize);
  // The chart's bitmap is the page's.
  ~THistoryPage() override;

  TImage* imgHistory;
  // Names the chart's colours and what its height stands for.
  TLabel* lblLegend;
  TListView* ListView3;
  TCheckBox* chkLog;
  TLabel* lblLog;
  // Says that the log file could not be written.
  TLabel* lblLogFailed;

  // The chart and the list take the width the window gained over its smallest; the list takes the height.
  void LayOut(int wider, int taller);
  // The chart anew, `now` (a second of `history`) at its right edge.
  void DrawChart(const MemoryHistory& history, std::uint32_t now, std::int64_t totalMegabytes);
  void ShowPasses(const PassWatch& watch);

 private:
  platform::Gdi& gdi_;
  platform::TimeOfDay& timeOfDay_;
  std::uint32_t pageSize_;
};

}  // namespace vantrel
