// What the tests of the startup manager's page share: one program run with the page, on a fresh machine whose
// keys and disks a test fills first, and its handlers run as window messages would.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "app/main_window.h"
#include "fake_native_application.h"
#include "fake_services.h"
#include "program/product.h"
#include "startup/run_key.h"

namespace vantrel {

class StartupPage {
 public:
  StartupPage() {
    fakes.process.moduleFileName = "C:\\Apps\\Vantrel.exe";
    fakes.registry.createKey(platform::kHKeyLocalMachine, kRunKey);
  }
  TfrmVantrel& start() {
    auto native = std::make_unique<fakes::FakeNativeApplication>();
    windows = native.get();
    application_ = std::make_unique<TApplication>(fakes.services, std::move(native));
    application_->SetTitle(kProductLine);
    form_ = application_->CreateForm<TfrmVantrel>();
    return *form_;
  }
  // Runs a handler as a window message would, and returns the error box it showed, "" for none.
  static std::string run(const std::function<void()>& handler) {
    try {
      handler();
    } catch (const std::exception& error) {
      return error.what();
    }
    return "";
  }
  std::string show() {
    return run([&] { form_->TabSheet3Show(form_); });
  }
  // The page, made at its tab's first showing.
  TStartupPage& page() const { return *form_->StartupManagerPage; }
  // Starts the program and shows the page, which lists without a box.
  TStartupPage& open() {
    start();
    EXPECT_EQ(show(), "");
    return page();
  }
  static std::string press(TSpeedButton* button) {
    return run([&] { button->Click(); });
  }
  // Chooses an item of a list's menu (the upper list's unless told) as a right click on it would.
  std::string choose(const TMenuItem* item, const TListView* list = nullptr) {
    TPopupMenu* menu = (list ? list : page().ListView1)->ContextMenu();
    const auto& items = menu->Items();
    windows->menuAnswer = static_cast<int>(std::find(items.begin(), items.end(), item) - items.begin());
    return run([&] { menu->Popup(10, 10); });
  }

  fakes::FakeServices fakes;
  fakes::FakeNativeApplication* windows = nullptr;
  TfrmVantrel* form_ = nullptr;

 private:
  std::unique_ptr<TApplication> application_;
};

}  // namespace vantrel
