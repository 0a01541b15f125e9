#include "free_all/region_run.h"

namespace vantrel {

void TRegionRun::SetWorker(std::unique_ptr<platform::Worker> worker) {
  worker_->Join();
  worker_ = std::move(worker);
}

bool TRegionRun::Start(platform::SystemMemory& system, const platform::OsVersionInfo& version,
                       const RegionChoice& choice, std::vector<std::string> keepPrograms) {
  if (running_) {
    return false;
  }
  // The job before has ended (its results were taken); its thread is done with.
  worker_->Join();
  running_ = true;
  ended_.store(false);
  worker_->Start([this, &system, version, choice, keep = std::move(keepPrograms)] {
    results_ = FreeRegions(system, version, choice, keep);
    ended_.store(true, std::memory_order_release);
  });
  return true;
}

std::optional<RegionResults> TRegionRun::TakeResults() {
  if (!running_ || !ended_.load(std::memory_order_acquire)) {
    return std::nullopt;
  }
  worker_->Join();
  running_ = false;
  return results_;
}

}  // namespace vantrel
