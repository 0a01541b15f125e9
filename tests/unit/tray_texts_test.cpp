// The tray's words: the tip at a few memory figures, and the balloon after a pass.
#include "app/tray_texts.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace vantrel
