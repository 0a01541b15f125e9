// A call that may wait for seconds (a slow service, the system's elevation prompt) run off the window thread:
// the window thread starts it and later runs the step that it hands back, looking for its end from a timer,
// so that the tray, its menu and the window answer meanwhile. Nothing else is shared with the worker.
#pragma once

#include <atomic>
#include <functional>
#include <memory>

#include "framework/component.h"
#include "framework/timer.h"
#include "platform/worker.h"

namespace vantrel {

class TBackgroundCall : public TComponent {
 public:
  // What the window thread does with the call's result, once it has ended.
  using TAnswer = std::function<void()>;

  TBackgroundCall(TComponent* AOwner, std::unique_ptr<platform::Worker> worker);
  // Waits for a call still going, without its answer: the worker uses services that outlive this object.
  ~TBackgroundCall() override;

  // Starts `call` on the worker; its answer runs on the window thread (an exception of the call is raised
  // there). False, and nothing started, while a call is going.
  bool Start(std::function<TAnswer()> call);
  // From Start until the answer has run.
  bool Running() const { return running_; }
  // Waits for the call going, and for those that its answer starts, and runs their answers now: at the
  // end, where what they decide must be known.
  void Finish();

 private:
  // Runs the answer of a call that has ended.
  void take();

  std::unique_ptr<platform::Worker> worker_;
  TTimer* look_;
  bool running_ = false;
  // Set by the worker once `answer_` holds its step; the window thread reads it only after.
  std::atomic<bool> ended_{false};
  TAnswer answer_;
};

}  // namespace vantrel
