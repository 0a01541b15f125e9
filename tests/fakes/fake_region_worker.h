// A worker for a Free All's regions that runs each job on the test's thread: at once, or, while `hold` is
// set, when the test calls finish() (Join finishes it too, as a thread's join waits for it, and counts the
// wait: on a thread, the caller would stand still for the whole run).
#pragma once

#include <functional>
#include <utility>

#include "free_all/region_run.h"

namespace vantrel::fakes {

class FakeRegionWorker final : public RegionWorker {
 public:
  void Start(std::function<void()> job) override {
    ++starts;
    pending_ = std::move(job);
    if (!hold) {
      finish();
    }
  }
  void Join() override {
    waits += pending_ != nullptr;
    finish();
  }
  void finish() {
    if (pending_) {
      std::exchange(pending_, nullptr)();
    }
  }

  bool hold = false;
  int starts = 0;
  int waits = 0;  // Joins made before the job had ended

 private:
  std::function<void()> pending_;
};

}  // namespace vantrel::fakes
