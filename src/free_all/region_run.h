// The regions of a Free All, run off the window thread: emptying the working sets of a busy machine or the
// whole standby list takes seconds, during which the tray, its menu and the window keep answering. The
// window thread starts a run and later takes its results; nothing else is shared with the worker.
#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "memory/memory_regions.h"
#include "platform/worker.h"

namespace vantrel {

class TRegionRun {
 public:
  TRegionRun() : worker_(std::make_unique<platform::ThreadWorker>()) {}
  // Waits for a run still going: the worker uses the system service, which outlives this object.
  ~TRegionRun() { worker_->Join(); }
  TRegionRun(const TRegionRun&) = delete;
  TRegionRun& operator=(const TRegionRun&) = delete;

  // Only while no run is going.
  void SetWorker(std::unique_ptr<platform::Worker> worker);

  // Starts FreeRegions on the worker with a copy of the kept names; false, and nothing started, while a run
  // is going.
  bool Start(platform::SystemMemory& system, const platform::OsVersionInfo& version,
             const RegionChoice& choice, std::vector<std::string> keepPrograms = {});
  // From Start until its results have been taken.
  bool Running() const { return running_; }
  // The results once the job has ended, the run then over; none while it runs or when none was started.
  std::optional<RegionResults> TakeResults();

 private:
  std::unique_ptr<platform::Worker> worker_;
  bool running_ = false;
  // Set by the worker once `results_` holds its answer; the window thread reads them only after.
  std::atomic<bool> ended_{false};
  RegionResults results_;
};

}  // namespace vantrel
