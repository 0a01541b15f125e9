// Win32 only: worker threads with COM.
#include "platform/win32/win32_workers.h"

#include "platform/win32/com.h"

namespace vantrel::platform::win32 {

namespace {

class ComWorker final : public Worker {
 public:
  void Start(std::function<void()> job) override {
    thread_.Start([job = std::move(job)] {
      const ComApartment apartment;
      job();
    });
  }
  void Join() override { thread_.Join(); }

 private:
  ThreadWorker thread_;
};

}  // namespace

std::unique_ptr<Worker> Win32Workers::NewWorker() {
  return std::make_unique<ComWorker>();
}

}  // namespace vantrel::platform::win32
