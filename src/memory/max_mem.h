// TMaxMem: the memory reclaimer. A pass commits blocks of 1 MB, writes every byte of them and releases them,
// so that the system has to find physical memory for all of them at once and has it free afterwards.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "framework/component.h"
#include "platform/memory.h"

namespace vantrel {

using TOnProgress = std::function<void(TObject* Sender, std::int32_t Progress)>;

class TMaxMem : public TComponent {
 public:
  static constexpr std::size_t kBlockSize = 0x100000;
  static constexpr std::int32_t kMaxBlocks = 1024;

  // Reads the machine's total physical memory once.
  TMaxMem(TComponent* AOwner, platform::Memory& memory);

  // Bytes; 0 when the system could not tell.
  std::int64_t TotalMemory() const { return total_; }
  // Bytes free now, asked afresh at every read; 0 when the system cannot tell.
  std::int64_t FreeMemory() const;

  TNotifyEvent OnBeforeDefrag;
  TOnProgress OnProgress;
  TNotifyEvent OnAfterDefrag;

  // One pass of `Megabytes` blocks (at most 1024). A call made while a pass runs does nothing.
  // A block the system refuses ends the commit phase; whatever happens, every committed block is released,
  // the component is idle again and OnAfterDefrag has fired once the call returns or throws.
  void Defrag(std::int32_t Megabytes);
  void DefragAll();

  bool Busy() const { return FBusy; }
  // The blocks the latest pass held at once: fewer than it asked for when the system refused one.
  std::int32_t Held() const { return held_; }

 private:
  void reportProgress(std::int32_t step, std::int32_t total);

  platform::Memory& memory_;
  std::int64_t total_ = 0;
  bool FBusy = false;
  std::int32_t held_ = 0;
};

}  // namespace vantrel
