#include "framework/background_call.h"

#include <exception>
#include <utility>

namespace vantrel {

namespace {

// How often the window thread looks for the end: short beside a call of seconds, and free when none goes.
constexpr std::uint32_t kLook = 100;

}  // namespace

TBackgroundCall::TBackgroundCall(TComponent* AOwner, std::unique_ptr<platform::Worker> worker)
    : TComponent(AOwner), worker_(std::move(worker)), look_(new TTimer(this)) {
  look_->SetEnabled(false);
  look_->SetInterval(kLook);
  look_->SetOnTimer([this](TObject*) { take(); });
}

TBackgroundCall::~TBackgroundCall() {
  worker_->Join();
}

bool TBackgroundCall::Start(std::function<TAnswer()> call) {
  if (running_) {
    return false;
  }
  // The call before has ended (its answer ran); its thread is done with.
  worker_->Join();
  running_ = true;
  ended_.store(false);
  worker_->Start([this, call = std::move(call)] {
    // Nothing may leave a thread but through its answer.
    try {
      answer_ = call();
    } catch (...) {
      answer_ = [error = std::current_exception()] { std::rethrow_exception(error); };
    }
    ended_.store(true, std::memory_order_release);
  });
  look_->SetEnabled(true);
  // A worker that is done already answers now.
  take();
  return true;
}

void TBackgroundCall::Finish() {
  while (running_) {
    worker_->Join();
    take();
  }
}

void TBackgroundCall::take() {
  if (!running_ || !ended_.load(std::memory_order_acquire)) {
    return;
  }
  worker_->Join();
  running_ = false;
  look_->SetEnabled(false);
  if (const TAnswer answer = std::exchange(answer_, nullptr)) {
    answer();
  }
}

}  // namespace vantrel
