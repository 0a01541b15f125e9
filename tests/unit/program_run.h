// One run of the program against fakes, for the tests of its start-up and exit.
#pragma once

#include <memory>

#include "app/main_window.h"
#include "fake_services.h"
#include "program/product.h"

namespace vantrel {

// One run of the program: started on construction, ended (window destroyed) by stop().
class ProgramRun {
 public:
  explicit ProgramRun(fakes::FakeServices& fakes) {
    application_ = std::make_unique<TApplication>(fakes.services);
    application_->SetTitle(kProductLine);
    form = application_->CreateForm<TfrmVantrel>();
  }
  void stop() {
    application_.reset();
    form = nullptr;
  }

  TfrmVantrel* form;

 private:
  std::unique_ptr<TApplication> application_;
};

}  // namespace vantrel
