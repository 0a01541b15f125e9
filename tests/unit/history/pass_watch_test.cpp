// What a pass bought: the watch of the minute after it, the count of pages read that it rests on, the ring of
// the last hour and the chart drawn from it, and the texts of the list, the tip and the log.
#include "history/pass_watch.h"

#include <gtest/gtest.h>

#include "fake_gdi.h"
#include "fake_performance_data.h"
#include "fake_system_memory.h"
#include "history/history_chart.h"
#include "history/memory_history.h"
#include "history/page_reads.h"
#include "history/pass_texts.h"
#include "history/rule_pause.h"
#include "test_blocks.h"

namespace vantrel {
namespace {

constexpr std::int64_t kMiB = 1 << 20;
constexpr std::uint64_t kStart = 0x01DD86427C28E000;  // 7 December 2026, 12:00 UTC
constexpr std::uint64_t kSecond = kFileTimeSecond;
constexpr std::uint32_t kPage = 4096;
constexpr std::uint64_t kPagesPerMiB = kMiB / kPage;

// A minute of reading at 10 pages a second before the pass at 12:01; the pass ends 5 s later.
PassWatch watchedPass(std::int64_t before, std::int64_t after, std::optional<std::uint64_t> pagesAtEnd) {
  PassWatch watch;
  watch.Sample(kStart, 1000);
  watch.PassStarted(kStart + 60 * kSecond, PassKind::Menu, {true}, before, 1600);
  watch.PassEnded(1, kStart + 65 * kSecond, after, pagesAtEnd);
  return watch;
}

TEST(PassWatch, APassAndItsMinuteGiveTheThreeFigures) {
  struct Case {
    std::int64_t before, after, later;
    std::uint64_t pagesDuring;  // read in the minute after the pass
    std::vector<std::string> row;
  };
  // The usual rate reads 600 pages in the minute: only what lies beyond it counts.
  const Case cases[] = {
      {1024 * kMiB,
       1836 * kMiB,
       1296 * kMiB,
       600 + 310 * kPagesPerMiB,
       {"12:01:00", "menu", "812", "540", "310"}},
      // Nothing freed: nothing can come back; fewer reads than usual are none.
      {1024 * kMiB, 1000 * kMiB, 900 * kMiB, 100, {"12:01:00", "menu", "0", "0", "0"}},
      // More came back than was freed, or free memory grew further.
      {1024 * kMiB, 1836 * kMiB, 700 * kMiB, 600, {"12:01:00", "menu", "812", "812", "0"}},
      {1024 * kMiB, 1836 * kMiB, 2000 * kMiB, 600, {"12:01:00", "menu", "812", "0", "0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.later);
    PassWatch watch = watchedPass(c.before, c.after, 1650);
    EXPECT_EQ(PassRow(watch.Passes().front(), kStart + 60 * kSecond, kPage)[3], "\xE2\x80\xA6");
    ASSERT_TRUE(watch.WatchEnded(kStart + 125 * kSecond, c.later, 1650 + c.pagesDuring));
    EXPECT_FALSE(watch.WatchEnded(kStart + 126 * kSecond, c.later, 1650 + c.pagesDuring));
    EXPECT_EQ(PassRow(watch.Passes().front(), kStart + 60 * kSecond, kPage), c.row);
  }
  PassWatch watch = watchedPass(1024 * kMiB, 1836 * kMiB, 1650);
  watch.WatchEnded(kStart + 125 * kSecond, 1296 * kMiB, 1650 + 600 + 310 * kPagesPerMiB);
  const PassRecord& pass = watch.Passes().front();
  EXPECT_EQ(LastPassTip(pass, kPage),
            "Last pass: freed 812 MB, 540 MB back in use after 60 s, 310 MB read from disk");
  EXPECT_EQ(LastPassBrief(pass, kPage), "Last pass: freed 812 MB, 540 MB back, 310 MB read");
  EXPECT_EQ(PassLogLine(pass, kPage), "2026-12-07T12:01:00Z,menu,WorkingSets,1024,1836,1296,310\r\n");
  // Pages of another size read as many megabytes as they hold.
  EXPECT_EQ(PassRow(pass, kStart, 8192)[4], "620");
}

TEST(PassWatch, ANewPassCutsTheWatchShort) {
  PassWatch watch = watchedPass(1024 * kMiB, 1836 * kMiB, 1650);
  // A Free All whose regions still run when a click's pass comes.
  const std::uint32_t freeAll =
      watch.PassStarted(kStart + 90 * kSecond, PassKind::Button, {}, 1800 * kMiB, 1700);
  const std::uint32_t click =
      watch.PassStarted(kStart + 91 * kSecond, PassKind::Click, {}, 1790 * kMiB, 1700);
  watch.PassEnded(click, kStart + 92 * kSecond, 1850 * kMiB, 1700);
  watch.PassEnded(freeAll, kStart + 95 * kSecond, 1900 * kMiB, 1700);
  ASSERT_EQ(watch.Passes().size(), 3u);
  EXPECT_EQ(watch.Passes()[2].state, WatchState::CutShort);
  EXPECT_EQ(PassRow(watch.Passes()[2], kStart, kPage)[3], kCutShort);
  EXPECT_EQ(PassLogLine(watch.Passes()[2], kPage),
            "2026-12-07T12:01:00Z,menu,WorkingSets,1024,1836,cut short,cut short\r\n");
  // The Free All cut short before it ended: its freed figure is what it had freed by then.
  EXPECT_EQ(watch.Passes()[1].state, WatchState::CutShort);
  EXPECT_EQ(PassRow(watch.Passes()[1], kStart, kPage)[2], "0");
  // The click's watch is the one that ends, with the click's own figures.
  ASSERT_TRUE(watch.WatchEnded(kStart + 152 * kSecond, 1800 * kMiB, 1700));
  EXPECT_EQ(PassRow(watch.Passes()[0], kStart, kPage),
            (std::vector<std::string>{"12:00:00", "click", "60", "50", kNotMeasured}));
  // Twenty are kept.
  for (int pass = 0; pass < 30; ++pass) {
    watch.PassStarted(kStart + 200 * kSecond, PassKind::Automatic, {}, 0, std::nullopt);
  }
  EXPECT_EQ(watch.Passes().size(), kPassesKept);
}

TEST(PassWatch, ASystemWithoutTheCountSaysNotMeasured) {
  // No count at the pass's end, or none at the watch's end: never 0.
  for (const bool atEnd : {false, true}) {
    SCOPED_TRACE(atEnd);
    PassWatch watch =
        watchedPass(1024 * kMiB, 1836 * kMiB, atEnd ? std::optional<std::uint64_t>(1650) : std::nullopt);
    watch.WatchEnded(kStart + 125 * kSecond, 1296 * kMiB,
                     atEnd ? std::nullopt : std::optional<std::uint64_t>(9999));
    EXPECT_EQ(PassRow(watch.Passes().front(), kStart, kPage)[4], kNotMeasured);
    EXPECT_EQ(LastPassTip(watch.Passes().front(), kPage),
              "Last pass: freed 812 MB, 540 MB back in use after 60 s, read from disk not measured");
    EXPECT_EQ(LastPassBrief(watch.Passes().front(), kPage),
              "Last pass: freed 812 MB, 540 MB back, read not measured");
  }
  // Nor where no sample came before the pass: the raw count is no figure of the pass's own.
  PassWatch first;
  first.PassEnded(first.PassStarted(kStart, PassKind::Menu, {}, 0, 1000), kStart, 0, 1000);
  first.WatchEnded(kStart + 60 * kSecond, 0, 1000 + 5 * kPagesPerMiB);
  EXPECT_EQ(PassRow(first.Passes().front(), kStart, kPage)[4], kNotMeasured);
  // Nor where none was taken since the last pass and its watch, whose reads are not the usual rate.
  PassWatch again = watchedPass(1024 * kMiB, 1836 * kMiB, 1650);
  EXPECT_FALSE(again.SampleDue(kStart + 120 * kSecond));
  again.WatchEnded(kStart + 125 * kSecond, 1296 * kMiB, 1650);
  again.PassEnded(again.PassStarted(kStart + 130 * kSecond, PassKind::Menu, {}, 0, 9000),
                  kStart + 131 * kSecond, 0, 9000);
  again.WatchEnded(kStart + 191 * kSecond, 0, 9600);
  EXPECT_EQ(PassRow(again.Passes().front(), kStart, kPage)[4], kNotMeasured);

  // Where neither the performance data nor the system information has the count, PageReads has none.
  fakes::FakePerformanceData performanceData;
  fakes::FakeSystemMemory systemMemory;
  performanceData.block = fakes::processorBlock(fakes::sampleTime(0), {0}).bytes;
  PageReads reads(performanceData, systemMemory);
  EXPECT_EQ(reads.Read(), std::nullopt);
  // The performance data, once found without it, is asked no more; the system information is.
  systemMemory.pageReadCount = 0xFFFFFF00;
  EXPECT_EQ(reads.Read(), 0xFFFFFF00u);
  systemMemory.pageReadCount = 0x10;
  EXPECT_EQ(reads.Read(), 0x100000010u) << "a count that wrapped goes on";
  EXPECT_EQ(performanceData.valueNames.size(), 1u);

  // The Memory object's counter, read at its own width.
  performanceData.block = fakes::memoryBlock(123456).bytes;
  PageReads fromPerformanceData(performanceData, systemMemory);
  EXPECT_EQ(fromPerformanceData.Read(), 123456u);
}

TEST(RulePause, DoublesWhileMemoryComesBackAndHalvesWhenItStays) {
  // A pass a letter, automatic and from 100 MB free to 400 unless said: B 200 back a minute on (two thirds),
  // S 199, N nothing freed, U the user's, Z no memory status at the end, K cut short after 200 came back, C
  // cut short with 199 back; the factor after each.
  const std::string passes = "SBBNUCZBBKSBN";
  const std::string factors = "1112222488444";
  RulePause pause;
  for (std::size_t index = 0; index < passes.size(); ++index) {
    SCOPED_TRACE(index);
    const char p = passes[index];
    PassRecord pass;
    pass.kind = p == 'U' ? PassKind::Click : PassKind::Automatic;
    pass.before = 100 * kMiB;
    pass.after = (p == 'N' ? 100 : 400) * kMiB;
    pass.later = p == 'Z' ? 0 : (p == 'S' || p == 'C' ? 201 : 200) * kMiB;
    pass.state = p == 'C' || p == 'K' ? WatchState::CutShort : WatchState::Done;
    const std::int32_t before = pause.Factor(), factor = factors[index] - '0';
    EXPECT_EQ(pause.PassWatched(pass) == PauseChange::None, factor == before);
    EXPECT_EQ(pause.Factor(), factor);
  }
}

TEST(MemoryHistory, TheRingKeepsExactlyTheLastHour) {
  MemoryHistory history;
  for (std::uint64_t second = 0; second < kHistoryPoints + 100; ++second) {
    const std::int64_t bytes = static_cast<std::int64_t>(second) * kMiB;
    history.Add(kStart + second * kSecond, bytes, CommitFigures{2 * bytes, 4 * bytes});
  }
  ASSERT_EQ(history.Count(), kHistoryPoints);
  EXPECT_EQ(history.At(0).second, 100u);
  EXPECT_EQ(history.At(0).freeMegabytes, 100u);
  EXPECT_EQ(history.At(0).committedMegabytes, 200u);
  EXPECT_EQ(history.CommitLimitMegabytes(), 4 * (kHistoryPoints + 99));
  EXPECT_EQ(history.At(kHistoryPoints - 1).second, kHistoryPoints + 99);
}

TEST(HistoryChart, APassPutsItsMarkAtItsColumn) {
  EXPECT_EQ(ChartColumn(3600, 3600, 360), 359);
  EXPECT_EQ(ChartColumn(1800, 3600, 360), 179);
  EXPECT_EQ(ChartColumn(1, 3600, 360), 0);
  EXPECT_EQ(ChartColumn(0, 3600, 360), -1);

  MemoryHistory history;
  for (std::uint64_t second = 0; second <= 3600; ++second) {
    history.Add(kStart + second * kSecond, 50 * kMiB);
  }
  history.MarkPass(kStart + 1800 * kSecond, false);
  history.MarkPass(kStart + 3000 * kSecond, true);
  fakes::FakeGdi gdi;
  const platform::GdiObject bitmap = DrawHistoryChart(gdi, history, 3600, 100, 360, 101);
  ASSERT_NE(bitmap, 0u);
  const fakes::FakeGdi::Image& image = *gdi.image(bitmap);
  EXPECT_EQ(image.at(179, 20), kChartUserPass);
  EXPECT_EQ(image.at(299, 20), kChartAutomaticPass);
  // Half the total free: the area fills the lower half, the total's line the top row.
  EXPECT_EQ(image.at(178, 20), kChartBackground);
  EXPECT_EQ(image.at(178, 60), kChartFree);
  EXPECT_EQ(image.at(178, 0), kChartTotal);
  gdi.DeleteObject(bitmap);
  EXPECT_EQ(ChartLegend(history, 3600, 100), "Green: free   Grey: total (100 MB)   Top: 100 MB");

  // Committed memory above physical memory: the chart's height is the commit limit, the total's line halfway,
  // and the committed line, two pixels thick, climbs from 150 MB to the limit in the last column.
  MemoryHistory committed;
  for (std::uint64_t second = 0; second <= 3600; ++second) {
    committed.Add(kStart + second * kSecond, 50 * kMiB,
                  CommitFigures{(second == 3600 ? 200 : 150) * kMiB, 200 * kMiB});
  }
  const platform::GdiObject both = DrawHistoryChart(gdi, committed, 3600, 100, 360, 101);
  const fakes::FakeGdi::Image& scaled = *gdi.image(both);
  EXPECT_EQ(scaled.at(178, 25), kChartCommitted);
  EXPECT_EQ(scaled.at(178, 26), kChartCommitted);
  EXPECT_EQ(scaled.at(178, 50), kChartTotal);
  EXPECT_EQ(scaled.at(178, 80), kChartFree);
  EXPECT_EQ(scaled.at(359, 1), kChartCommitted);
  EXPECT_EQ(scaled.at(359, 20), kChartCommitted) << "joined to the column before";
  EXPECT_EQ(ChartLegend(committed, 3600, 100),
            "Green: free   Red: committed   Grey: total (100 MB)   Top: 200 MB");
  gdi.DeleteObject(both);
  EXPECT_EQ(gdi.liveObjects(), 0);
}

}  // namespace
}  // namespace vantrel
