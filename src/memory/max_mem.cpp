#include "memory/max_mem.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>

namespace vantrel {

namespace {

constexpr std::uint32_t kBlockProtection = platform::kPageReadWrite | platform::kPageNoCache;
constexpr std::size_t kWordsPerBlock = TMaxMem::kBlockSize / sizeof(std::uint32_t);

std::int64_t statusFigure(platform::Memory& memory, std::uint64_t platform::MemoryStatus::*figure) {
  platform::MemoryStatus status;
  if (!memory.GlobalMemoryStatus(status)) {
    return 0;
  }
  return static_cast<std::int64_t>(
      std::min<std::uint64_t>(status.*figure, std::numeric_limits<std::int64_t>::max()));
}

// Every page must really be written, one 32-bit word at a time: through a volatile pointer the compiler can
// neither drop the stores nor merge them into a library call.
void touchBlock(void* block) {
  volatile std::uint32_t* word = static_cast<volatile std::uint32_t*>(block);
  volatile std::uint32_t* const end = word + kWordsPerBlock;
  for (; word != end; word += 4) {
    word[0] = 0;
    word[1] = 0;
    word[2] = 0;
    word[3] = 0;
  }
}

// Releases the blocks of a pass however it ends, first committed first.
class BlockTable {
 public:
  explicit BlockTable(platform::Memory& memory) : memory_(memory) {}
  BlockTable(const BlockTable&) = delete;
  BlockTable& operator=(const BlockTable&) = delete;
  ~BlockTable() {
    while (released_ < committed_) {
      releaseNext();
    }
  }

  bool commitNext() {
    void* block = memory_.VirtualAlloc(nullptr, TMaxMem::kBlockSize, platform::kMemCommit, kBlockProtection);
    if (!block) {
      return false;
    }
    blocks_[committed_++] = block;
    touchBlock(block);
    return true;
  }
  void releaseNext() {
    void* block = blocks_[released_];
    blocks_[released_++] = nullptr;
    memory_.VirtualFree(block, 0, platform::kMemRelease);
  }
  std::int32_t committed() const { return committed_; }

 private:
  platform::Memory& memory_;
  void* blocks_[TMaxMem::kMaxBlocks] = {};
  std::int32_t committed_ = 0;
  std::int32_t released_ = 0;
};

}  // namespace

TMaxMem::TMaxMem(TComponent* AOwner, platform::Memory& memory)
    : TComponent(AOwner), memory_(memory), total_(statusFigure(memory, &platform::MemoryStatus::totalPhys)) {}

std::int64_t TMaxMem::FreeMemory() const {
  return statusFigure(memory_, &platform::MemoryStatus::availPhys);
}

void TMaxMem::reportProgress(std::int32_t step, std::int32_t total) {
  if (OnProgress) {
    const long double share = static_cast<long double>(step) / total * 100;
    OnProgress(this, static_cast<std::int32_t>(std::nearbyint(share)));
  }
}

void TMaxMem::Defrag(std::int32_t Megabytes) {
  if (FBusy) {
    return;
  }
  FBusy = true;
  held_ = 0;
  const std::int32_t blocks = std::clamp(Megabytes, 0, kMaxBlocks);
  try {
    if (OnBeforeDefrag) {
      OnBeforeDefrag(this);
    }
    BlockTable table(memory_);
    std::int32_t stepTotal = 2 * blocks;
    std::int32_t step = 0;
    while (table.committed() < blocks && table.commitNext()) {
      reportProgress(++step, stepTotal);
    }
    // A refused block ends the commit phase: the release phase then runs the bar on to 100 over what was
    // held.
    held_ = table.committed();
    stepTotal = step + table.committed();
    for (std::int32_t i = 0; i < table.committed(); ++i) {
      table.releaseNext();
      reportProgress(++step, stepTotal);
    }
  } catch (...) {
    // The table has released every block by now. The main window re-enables its check timer in
    // OnAfterDefrag, so that still fires; the first failure is the one that goes on.
    FBusy = false;
    if (OnAfterDefrag) {
      try {
        OnAfterDefrag(this);
      } catch (...) {
      }
    }
    throw;
  }
  FBusy = false;
  if (OnAfterDefrag) {
    OnAfterDefrag(this);
  }
}

void TMaxMem::DefragAll() {
  const std::int64_t megabytes = TotalMemory() / static_cast<std::int64_t>(kBlockSize);
  Defrag(static_cast<std::int32_t>(std::min<std::int64_t>(megabytes, kMaxBlocks)));
}

}  // namespace vantrel
