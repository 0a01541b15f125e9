#include "framework/application.h"

#include <vector>

#include "platform/unicode.h"

namespace vantrel {

TApplication::TApplication(platform::Services& services, std::unique_ptr<NativeApplication> native)
    : TComponent(nullptr), services_(services), native_(std::move(native)) {
  if (native_) {
    native_->Attach(*this);
  }
  if (services_.locale) {
    const std::string separator = services_.locale->GetLocaleInfoA(platform::kLocaleSDecimal);
    if (separator.size() == 1) {
      decimalSeparator_ = separator[0];
    }
  }
}

TApplication::~TApplication() {
  // Forms go before the native side that their windows belong to.
  while (!Components().empty()) {
    delete Components().back();
  }
}

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  if (native_) {
    native_->SetTitle(title);
  }
}

void TApplication::Run() {
  if (mainForm_ && ShowMainForm) {
    if (mainForm_->WindowState() == TWindowState::wsMinimized) {
      Minimize();
    } else {
      mainForm_->Show();
    }
  }
  if (native_ && !terminated_) {
    native_->RunMessageLoop();
  }
  terminated_ = true;
}

void TApplication::Terminate() {
  terminated_ = true;
  quitting_ = true;
  if (native_) {
    native_->Quit();
  }
}

void TApplication::ProcessMessages() {
  if (native_) {
    native_->ProcessMessages();
  }
}

void TApplication::EndSession() {
  endingSession_ = true;
  if (mainForm_) {
    mainForm_->BeforeDestruction();
  }
  Terminate();
}

void TApplication::Minimize() {
  minimized_ = true;
  // The taskbar button is shown once the hooks have had their say, so that one that takes the application
  // into the notification area leaves no button behind, not even for a moment.
  ++holdVisible_;
  if (mainForm_) {
    mainForm_->Hide();
  }
  TMessage minimized{platform::kWmSize, platform::kSizeMinimized, 0, 0};
  DispatchHooks(minimized);
  --holdVisible_;
  UpdateVisible();
}

void TApplication::HideTaskbarButton() {
  buttonHidden_ = true;
  UpdateVisible();
}

void TApplication::Restore() {
  minimized_ = false;
  buttonHidden_ = false;
  if (mainForm_) {
    mainForm_->SetWindowState(TWindowState::wsNormal);
    mainForm_->Show();
  }
  UpdateVisible();
}

void TApplication::UpdateVisible() {
  if (!native_ || holdVisible_ > 0) {
    return;
  }
  bool anyVisible = minimized_ && !buttonHidden_;
  for (const TComponent* component : Components()) {
    if (const auto* form = dynamic_cast<const TForm*>(component); form && form->Visible()) {
      anyVisible = true;
    }
  }
  native_->SetAppWindowState(anyVisible, minimized_);
}

bool TApplication::CopyData(std::uintptr_t data, const std::string& bytes) {
  if (!OnCopyData || !mainFormCreated_ || quitting_) {
    return false;
  }
  try {
    return OnCopyData(data, bytes);
  } catch (const std::exception& error) {
    HandleException(error);
    return false;
  }
}

int TApplication::HookMainWindow(TWindowHook hook) {
  hooks_[nextHook_] = std::move(hook);
  return nextHook_++;
}

void TApplication::UnhookMainWindow(int id) {
  hooks_.erase(id);
}

bool TApplication::DispatchHooks(TMessage& message) {
  // A hook may remove itself (or another) while it runs.
  std::vector<int> ids;
  for (const auto& [id, hook] : hooks_) {
    ids.insert(ids.begin(), id);
  }
  for (const int id : ids) {
    const auto hook = hooks_.find(id);
    if (hook != hooks_.end() && hook->second(message)) {
      return true;
    }
  }
  return false;
}

void TApplication::HandleException(const std::exception& error) {
  ShowException(error.what());
}

void TApplication::ShowException(const std::string& message) {
  if (endingSession_) {
    return;
  }
  std::string text = message;
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) {
    text += '.';
  }
  MessageBox(text, title_, platform::kMbOk | platform::kMbIconStop);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, std::uint32_t flags) {
  if (!services_.dialogs) {
    return 0;
  }
  const THandle owner = mainForm_ && mainForm_->Visible() ? mainForm_->Handle() : Handle();
  return services_.dialogs->MessageBoxW(owner, Utf8ToUtf16(text), Utf8ToUtf16(caption), flags);
}

void TApplication::Beep() {
  if (services_.dialogs) {
    services_.dialogs->MessageBeep(0);
  }
}

}  // namespace vantrel
