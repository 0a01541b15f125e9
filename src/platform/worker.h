// Work off the window thread: a call that may wait for seconds (a service that is slow to answer, the
// system's elevation prompt) runs on a worker, so that the window thread keeps answering its messages.
#pragma once

#include <functional>
#include <memory>
#include <thread>

namespace vantrel::platform {

// Runs one job at a time: a thread of its own in the product; a test runs it when it chooses.
class Worker {
 public:
  virtual ~Worker() = default;
  // Starts `job`; called again only after Join.
  virtual void Start(std::function<void()> job) = 0;
  // Returns once the job started last has ended; at once when none was started.
  virtual void Join() = 0;
};

class ThreadWorker final : public Worker {
 public:
  ~ThreadWorker() override { Join(); }
  void Start(std::function<void()> job) override { thread_ = std::thread(std::move(job)); }
  void Join() override {
    if (thread_.joinable()) {
      thread_.join();
    }
  }

 private:
  std::thread thread_;
};

// Where the program's workers come from: plain threads in the product (each call that needs COM brings its
// own apartment); a test's, which run when it says.
class Workers {
 public:
  virtual ~Workers() = default;
  virtual std::unique_ptr<Worker> NewWorker() = 0;
};

// Plain threads, where the calls need nothing more of them.
class ThreadWorkers final : public Workers {
 public:
  std::unique_ptr<Worker> NewWorker() override { return std::make_unique<ThreadWorker>(); }
};

}  // namespace vantrel::platform
