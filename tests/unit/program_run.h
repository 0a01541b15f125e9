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

// The Free Memory or the History page, made as when its tab first shows (the window's own showing, with its
// processor reading, left out).
inline TFreeMemoryPage& ShowFreeMemoryPage(TfrmVantrel& form) {
  form.TabSheet5->OnShow(form.TabSheet5);
  return *form.FreeMemoryPage;
}
inline THistoryPage& ShowHistoryPage(TfrmVantrel& form) {
  form.TabSheet6->OnShow(form.TabSheet6);
  return *form.HistoryPage;
}

}  // namespace vantrel
