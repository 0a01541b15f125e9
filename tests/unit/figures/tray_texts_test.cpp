// The tray's words and level: the tip at a few memory figures, the balloon after a pass and after a Free All.
#include "figures/tray_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "figures/commit_texts.h"
#include "figures/tray_level.h"
#include "free_all/free_all_texts.h"
#include "program_support.h"

namespace vantrel {
namespace {

constexpr std::int64_t kMB = static_cast<std::int64_t>(kMiB);

TEST(TrayTexts, TheTipInWholeMegabytesWithTheShareRoundedHalfToEven) {
  struct Row {
    std::int64_t freeBytes, totalBytes;
    const char* tip;
  };
  for (const Row& row : {Row{22921 * kMB, 24105 * kMB, "Free: 22921 MB of 24105 MB (95%)"},
                         Row{512 * kMB, 4096 * kMB, "Free: 512 MB of 4096 MB (12%)"},
                         Row{1536 * kMB, 4096 * kMB, "Free: 1536 MB of 4096 MB (38%)"},
                         Row{1024 * kMB + kMB / 2, 2048 * kMB + kMB / 2, "Free: 1024 MB of 2048 MB (50%)"},
                         Row{1023 * kMB + kMB * 3 / 4, 4096 * kMB, "Free: 1024 MB of 4096 MB (25%)"},
                         Row{0, 0, "Free: 0 MB of 0 MB (0%)"}}) {
    SCOPED_TRACE(row.tip);
    EXPECT_EQ(FreeMemoryTip(row.freeBytes, row.totalBytes), row.tip);
  }
}

TEST(TrayTexts, TheCommitLinesAndATipThatKeepsWithinTheShellsLimit) {
  const CommitFigures commit{12345 * kMB, 30000 * kMB};
  const std::string free = FreeMemoryTip(22921 * kMB, 24105 * kMB);
  const std::string wide = FreeMemoryTip(1048576 * kMB, 1048576 * kMB);
  const TipLine committed{CommittedText(commit), CommittedBrief(commit)};
  const CommitFigures large{1500000 * kMB, 2000000 * kMB};
  const TipLine pass{"Last pass: freed 812 MB, 540 MB back in use after 60 s, 310 MB read from disk",
                     "Last pass: freed 812 MB, 540 MB back, 310 MB read"};
  struct Row {
    const char* name;
    std::string freeLine;
    std::vector<TipLine> later;
    std::string tip;
  };
  const std::vector<Row> rows = {
      {"the commit line alone", free, {committed}, free + "\nCommitted: 12345 MB of 30000 MB (41%)"},
      {"with the pass line, which takes its brief form",
       free,
       {committed, pass},
       free + "\nCommitted: 12345 MB of 30000 MB (41%)\nLast pass: freed 812 MB, 540 MB back, 310 MB read"},
      {"the widest figures: both brief",
       wide,
       {{CommittedText(large), CommittedBrief(large)}, pass},
       wide + "\nCommitted: 75% of 2000000 MB\nLast pass: freed 812 MB, 540 MB back, 310 MB read"},
      {"a line that fits in no form is left out",
       free,
       {committed, {std::string(120, 'x'), std::string(100, 'x')}},
       free + "\nCommitted: 12345 MB of 30000 MB (41%)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(TrayTip(row.freeLine, row.later), row.tip);
    EXPECT_LE(row.tip.size(), kTipLimit);
  }
}

TEST(TrayTexts, TheBalloonAddsUpInTheFiguresItShows) {
  struct Row {
    std::int64_t before, after;
    const char* text;
  };
  for (const Row& row :
       {Row{1024 * kMB, 1536 * kMB, "Freed 512 MB: 1024 MB -> 1536 MB free"},
        Row{1024 * kMB, 1024 * kMB, "Nothing freed: 1024 MB free"},
        Row{1100 * kMB, 1024 * kMB, "Nothing freed: 1024 MB free"},
        Row{1024 * kMB + kMB * 4 / 10, 1024 * kMB + kMB * 6 / 10, "Freed 1 MB: 1024 MB -> 1025 MB free"}}) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(PassBalloonText(row.before, row.after), row.text);
  }
}

TEST(TrayTexts, TheFiguresLevelIsLowAtItsShareOrLessAndCriticalBelowItsOwn) {
  using L = TrayLevel;
  struct Row {
    std::int64_t freeMegabytes;  // of 1000
    TrayLevels levels;
    TrayLevel level;
  };
  for (const Row& row : std::vector<Row>{{201, {}, L::Normal},
                                         {200, {}, L::Low},
                                         {100, {}, L::Low},
                                         {99, {}, L::Critical},
                                         {0, {20, 0}, L::Low},             // critical off
                                         {0, {0, 0}, L::Normal},           // both off
                                         {250, {20, 30}, L::Critical}}) {  // a critical level above low wins
    SCOPED_TRACE(::testing::Message()
                 << row.freeMegabytes << " " << row.levels.lowPercent << " " << row.levels.criticalPercent);
    EXPECT_EQ(TrayLevelOf(row.freeMegabytes * kMB, 1000 * kMB, row.levels), row.level);
  }
  EXPECT_EQ(TrayLevelOf(0, 0, {}), TrayLevel::Normal) << "an unknown total";
}

RegionResult outcome(RegionOutcome what, std::uint32_t code = 0) {
  RegionResult result;
  result.outcome = what;
  result.code = code;
  return result;
}

RegionResult trimmed(std::int32_t programs, std::int32_t skipped = 0, std::int32_t kept = 0) {
  RegionResult result;
  result.trimmed = programs;
  result.skipped = skipped;
  result.kept = kept;
  return result;
}

RegionResult combined(std::uint64_t pages) {
  RegionResult result;
  result.pagesCombined = pages;
  return result;
}

TEST(TrayTexts, AFreeAllsBalloonSaysWhatRanAndWhatCouldNot) {
  RegionResult atOnce;
  atOnce.allAtOnce = true;
  const RegionResult done = outcome(RegionOutcome::Done);
  const RegionResult administrator = outcome(RegionOutcome::NeedsAdministrator, 0xC0000061);
  const RegionResult notHere = outcome(RegionOutcome::NotAvailable, 0xC0000003);
  struct Row {
    const char* name;
    RegionResults results;
    const char* text;
  };
  const std::vector<Row> rows = {
      {"the defaults, a standard user's programs one at a time",
       {trimmed(143, 12), done, done, std::nullopt, std::nullopt},
       "Freed 812 MB: 1024 MB -> 1836 MB free\n"
       "Working sets (143 programs, 12 skipped), file cache, standby list (low priority)"},
      {"one program, all five at once",
       {atOnce, done, done, done, done},
       "Freed 812 MB: 1024 MB -> 1836 MB free\nWorking sets (all programs), file cache, standby list (low "
       "priority), whole standby list, modified page list"},
      {"a standard user on Windows XP",
       {trimmed(1), notHere, notHere, std::nullopt, administrator},
       "Freed 812 MB: 1024 MB -> 1836 MB free\nWorking sets (1 program)\nNeeds administrator: modified page "
       "list\nNot on this Windows: file cache, standby list (low priority)"},
      {"nothing ran",
       {administrator, administrator, std::nullopt, std::nullopt, std::nullopt},
       "Freed 812 MB: 1024 MB -> 1836 MB free\nNeeds administrator: working sets, file cache"},
      {"failures name their code: an NTSTATUS in hexadecimal, a Win32 error in decimal",
       {done, outcome(RegionOutcome::Failed, 1450), outcome(RegionOutcome::Failed, 0xC000009A), std::nullopt,
        std::nullopt},
       "Freed 812 MB: 1024 MB -> 1836 MB free\nWorking sets (0 programs)\nFailed: file cache (error 1450), "
       "standby list (low priority) (0xC000009A)"},
      {"nothing chosen", {}, "Freed 812 MB: 1024 MB -> 1836 MB free"},
      {"programs kept, pages combined",
       {trimmed(140, 2, 3), std::nullopt, std::nullopt, std::nullopt, std::nullopt, combined(1234), done},
       "Freed 812 MB: 1024 MB -> 1836 MB free\nWorking sets (140 programs, 2 skipped, 3 kept), combined page "
       "list (1234 pages), registry cache"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(FreeAllBalloonText(1024 * kMB, 1836 * kMB, row.results), row.text);
  }

  // The longest that any figures and codes make still fits the balloon whole.
  const RegionResult widest = outcome(RegionOutcome::Failed, 0x7FFFFFFF);
  const RegionResult most = combined(~std::uint64_t{0});
  for (const RegionResults& results :
       {RegionResults{widest, widest, widest, widest, widest, widest, widest},
        RegionResults{trimmed(0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF), administrator, notHere, widest, widest,
                      most, widest},
        RegionResults{trimmed(0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF), done, done, done, done, most, done}}) {
    const std::string text = FreeAllBalloonText(0, kMB * 1048576 * 1048576, results);
    EXPECT_LE(text.size(), kBalloonTextLimit);
    EXPECT_NE(text.find("registry cache"), std::string::npos) << "no region left out";
  }
}

}  // namespace
}  // namespace vantrel
