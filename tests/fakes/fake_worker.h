// Workers that run each job on the test's thread: at once, or, while `hold` is set, when the test calls
// finish() (Join finishes it too, as a thread's join waits for it, and counts the wait: on a thread, the
// caller would stand still for the whole run).
#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/worker.h"

namespace vantrel::fakes {

class FakeWorker final : public platform::Worker {
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

// The program's workers, kept here so that finish() reaches the jobs they hold; each holds while `hold` is
// set when its job starts.
class FakeWorkers final : public platform::Workers {
 public:
  std::unique_ptr<platform::Worker> NewWorker() override {
    workers_.push_back(std::make_unique<FakeWorker>());
    return std::make_unique<Lent>(*this, *workers_.back());
  }
  void finish() {
    for (const auto& worker : workers_) {
      worker->finish();
    }
  }

  bool hold = false;

 private:
  class Lent final : public platform::Worker {
   public:
    Lent(FakeWorkers& owner, FakeWorker& worker) : owner_(owner), worker_(worker) {}
    // As a thread's owner waits for it.
    ~Lent() override { worker_.Join(); }
    void Start(std::function<void()> job) override {
      worker_.hold = owner_.hold;
      worker_.Start(std::move(job));
    }
    void Join() override { worker_.Join(); }

   private:
    FakeWorkers& owner_;
    FakeWorker& worker_;
  };

  std::vector<std::unique_ptr<FakeWorker>> workers_;
};

}  // namespace vantrel::fakes
