#include "memory/max_mem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "fake_memory.h"

namespace vantrel {
namespace {

constexpr std::uint64_t kMiB = 1048576;

// A reclaimer on a fake memory, with every event written into one log.
struct Pass {
  explicit Pass(std::uint64_t total = 512 * kMiB) {
    memory.status = {total, total / 2};
    maxMem = std::make_unique<TMaxMem>(nullptr, memory);
    maxMem->OnBeforeDefrag = [this](TObject* sender) {
      EXPECT_EQ(sender, maxMem.get());
      EXPECT_TRUE(maxMem->Busy());
      log.push_back("before");
    };
    maxMem->OnProgress = [this](TObject* sender, std::int32_t progress) {
      EXPECT_EQ(sender, maxMem.get());
      progresses.push_back(progress);
    };
    maxMem->OnAfterDefrag = [this](TObject* sender) {
      EXPECT_EQ(sender, maxMem.get());
      EXPECT_FALSE(maxMem->Busy());
      log.push_back("after");
    };
  }

  // Every committed block written all over and released, in commit order, with the arguments of a pass.
  void expectCleanEnd() const {
    EXPECT_EQ(memory.outstanding(), 0u);
    EXPECT_EQ(memory.releaseOrder, memory.commitOrder);
    EXPECT_EQ(memory.unwrittenBlocks, 0);
    EXPECT_EQ(memory.badRequests, 0);
    EXPECT_FALSE(maxMem->Busy());
  }

  fakes::FakeMemory memory;
  std::unique_ptr<TMaxMem> maxMem;
  std::vector<std::string> log;
  std::vector<std::int32_t> progresses;
};

void expectRisingTo100(const std::vector<std::int32_t>& progresses) {
  ASSERT_FALSE(progresses.empty());
  EXPECT_TRUE(std::is_sorted(progresses.begin(), progresses.end()));
  EXPECT_EQ(progresses.back(), 100);
}

TEST(MaxMemPass, EventsAndProgressForSmallPasses) {
  struct Case {
    std::int32_t megabytes;
    std::vector<std::int32_t> progresses;
  };
  const std::vector<Case> cases = {
      {0, {}},
      {-5, {}},
      {1, {50, 100}},
      {4, {12, 25, 38, 50, 62, 75, 88, 100}},  // ties go to the even neighbour
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.megabytes);
    Pass pass;
    pass.maxMem->Defrag(c.megabytes);
    EXPECT_EQ(pass.log, (std::vector<std::string>{"before", "after"}));
    EXPECT_EQ(pass.progresses, c.progresses);
    EXPECT_EQ(pass.memory.commitOrder.size(), std::max(c.megabytes, 0));
    pass.expectCleanEnd();
  }
}

TEST(MaxMemPass, LargeRequestsAreCutTo1024Blocks) {
  for (const std::int32_t megabytes : {1024, 2000}) {
    SCOPED_TRACE(megabytes);
    Pass pass;
    pass.maxMem->Defrag(megabytes);
    EXPECT_EQ(pass.memory.commitOrder.size(), 1024u);
    ASSERT_EQ(pass.progresses.size(), 2048u);
    EXPECT_EQ(pass.progresses[1023], 50);
    expectRisingTo100(pass.progresses);
    pass.expectCleanEnd();
  }
}

TEST(MaxMemPass, AllBlocksAreHeldAtOnceBeforeAnyIsReleased) {
  Pass pass;
  std::vector<std::size_t> outstanding;
  pass.maxMem->OnProgress = [&](TObject*, std::int32_t) { outstanding.push_back(pass.memory.outstanding()); };
  pass.maxMem->Defrag(3);
  EXPECT_EQ(outstanding, (std::vector<std::size_t>{1, 2, 3, 2, 1, 0}));
}

TEST(MaxMemPass, WorksWithoutHandlers) {
  fakes::FakeMemory memory;
  TMaxMem maxMem(nullptr, memory);
  maxMem.Defrag(3);
  EXPECT_EQ(memory.commitOrder.size(), 3u);
  EXPECT_EQ(memory.releaseOrder, memory.commitOrder);
  EXPECT_EQ(memory.unwrittenBlocks, 0);
  EXPECT_EQ(memory.outstanding(), 0u);
}

TEST(MaxMemReentry, RequestsDuringAPassAreIgnored) {
  Pass fromBefore;
  auto before = fromBefore.maxMem->OnBeforeDefrag;
  fromBefore.maxMem->OnBeforeDefrag = [&](TObject* sender) {
    before(sender);
    fromBefore.maxMem->Defrag(8);
    fromBefore.maxMem->DefragAll();
  };
  fromBefore.maxMem->Defrag(2);
  EXPECT_EQ(fromBefore.log, (std::vector<std::string>{"before", "after"}));
  EXPECT_EQ(fromBefore.progresses, (std::vector<std::int32_t>{25, 50, 75, 100}));
  fromBefore.expectCleanEnd();

  Pass fromProgress;
  fromProgress.maxMem->OnProgress = [&](TObject*, std::int32_t progress) {
    fromProgress.progresses.push_back(progress);
    fromProgress.maxMem->Defrag(8);
  };
  fromProgress.maxMem->Defrag(2);
  EXPECT_EQ(fromProgress.log, (std::vector<std::string>{"before", "after"}));
  EXPECT_EQ(fromProgress.progresses, (std::vector<std::int32_t>{25, 50, 75, 100}));
  EXPECT_EQ(fromProgress.memory.commitOrder.size(), 2u);
  fromProgress.expectCleanEnd();
}

TEST(MaxMemReentry, AnAfterHandlerMayStartANewPass) {
  Pass pass;
  int passes = 0;
  pass.maxMem->OnAfterDefrag = [&](TObject*) {
    pass.log.push_back("after");
    if (++passes == 1) {
      pass.maxMem->Defrag(1);
    }
  };
  pass.maxMem->Defrag(1);
  EXPECT_EQ(pass.log, (std::vector<std::string>{"before", "after", "before", "after"}));
  EXPECT_EQ(pass.progresses, (std::vector<std::int32_t>{50, 100, 50, 100}));
  EXPECT_EQ(pass.memory.commitOrder.size(), 2u);
  pass.expectCleanEnd();
}

// A refused block ends the commit phase; what was committed is released and the bar still ends at 100.
TEST(MaxMemFailure, RefusedCommitEndsTheCommitPhase) {
  struct Case {
    int refused;  // which commit the system refuses
    bool persistent;
    std::vector<std::int32_t> progresses;
  };
  const std::vector<Case> cases = {
      {1, false, {}},
      {2, false, {12, 100}},
      {3, true, {12, 25, 75, 100}},  // after two of four blocks the release runs over 4 steps
      {4, false, {12, 25, 38, 67, 83, 100}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.refused);
    Pass pass;
    pass.memory.faults.failOn("VirtualAlloc", c.refused, c.persistent);
    pass.maxMem->Defrag(4);
    EXPECT_EQ(pass.log, (std::vector<std::string>{"before", "after"}));
    EXPECT_EQ(pass.memory.commitOrder.size(), static_cast<std::size_t>(c.refused - 1));
    EXPECT_EQ(pass.memory.faults.calls("VirtualAlloc"), c.refused);
    EXPECT_EQ(pass.progresses, c.progresses);
    pass.expectCleanEnd();
    pass.log.clear();
    pass.memory.faults.clear("VirtualAlloc");
    pass.maxMem->Defrag(1);
    EXPECT_EQ(pass.log, (std::vector<std::string>{"before", "after"}));
  }
}

// A handler that throws ends the pass: every block is released, the reclaimer is idle, OnAfterDefrag has run
// (the main window re-enables its check timer there) and the handler's exception reaches the caller.
TEST(MaxMemFailure, ThrowingHandlerReleasesEverythingAndPropagates) {
  struct Case {
    const char* name;
    int throwAtProgress;  // 0: not in OnProgress
    bool throwInBefore;
    bool throwInAfter;
    std::size_t committed;
  };
  const std::vector<Case> cases = {
      {"before", 0, true, false, 0},
      {"commit phase", 3, false, false, 3},
      {"release phase", 6, false, false, 4},
      {"after", 0, false, true, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Pass pass;
    int afterCalls = 0;
    pass.maxMem->OnBeforeDefrag = [&](TObject*) {
      if (c.throwInBefore) {
        throw std::runtime_error("before failed");
      }
    };
    pass.maxMem->OnProgress = [&](TObject*, std::int32_t) {
      if (static_cast<int>(pass.memory.commitOrder.size() + pass.memory.releaseOrder.size()) ==
          c.throwAtProgress) {
        throw std::runtime_error("progress failed");
      }
    };
    pass.maxMem->OnAfterDefrag = [&](TObject*) {
      ++afterCalls;
      EXPECT_EQ(pass.memory.outstanding(), 0u);
      if (c.throwInAfter) {
        throw std::runtime_error("after failed");
      }
    };
    EXPECT_THROW(pass.maxMem->Defrag(4), std::runtime_error);
    EXPECT_EQ(afterCalls, 1);
    EXPECT_EQ(pass.memory.commitOrder.size(), c.committed);
    pass.expectCleanEnd();
  }
}

TEST(MaxMemFailure, AFailingAfterHandlerDuringCleanUpDoesNotHideTheFirstError) {
  Pass pass;
  pass.maxMem->OnProgress = [](TObject*, std::int32_t) { throw std::invalid_argument("first"); };
  pass.maxMem->OnAfterDefrag = [](TObject*) { throw std::runtime_error("second"); };
  EXPECT_THROW(pass.maxMem->Defrag(2), std::invalid_argument);
  pass.expectCleanEnd();
}

TEST(MaxMemFigures, DefragAllTruncatesTheTotalToWholeMegabytes) {
  struct Case {
    std::uint64_t total;
    bool readable;
    std::size_t blocks;
  };
  const std::vector<Case> cases = {
      {512 * kMiB, true, 512},        {1024 * kMiB - 1, true, 1023}, {2048 * kMiB - 1, true, 1024},
      {24 * 1024 * kMiB, true, 1024}, {512 * kMiB, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.total);
    fakes::FakeMemory memory;
    memory.status = {c.total, 0};
    if (!c.readable) {
      memory.faults.failOn("GlobalMemoryStatus", 1);
    }
    TMaxMem maxMem(nullptr, memory);
    maxMem.DefragAll();
    EXPECT_EQ(memory.commitOrder.size(), c.blocks);
    EXPECT_EQ(memory.outstanding(), 0u);
  }
}

TEST(MaxMemFigures, TotalIsTakenOnceAndFreeAtEveryRead) {
  fakes::FakeMemory memory;
  memory.status = {24 * 1024 * kMiB, 3 * 1024 * kMiB};
  TMaxMem maxMem(nullptr, memory);
  EXPECT_EQ(maxMem.TotalMemory(), static_cast<std::int64_t>(24 * 1024 * kMiB));
  EXPECT_EQ(maxMem.FreeMemory(), static_cast<std::int64_t>(3 * 1024 * kMiB));
  memory.status = {1, 100 * kMiB};
  EXPECT_EQ(maxMem.FreeMemory(), static_cast<std::int64_t>(100 * kMiB));
  EXPECT_EQ(maxMem.TotalMemory(), static_cast<std::int64_t>(24 * 1024 * kMiB));
  EXPECT_EQ(memory.faults.calls("GlobalMemoryStatus"), 3);

  memory.faults.failOn("GlobalMemoryStatus", 4);
  EXPECT_EQ(maxMem.FreeMemory(), 0);
}

}  // namespace
}  // namespace vantrel
