// The commands a person gives: reclaim passes and what shows them, the tray menu, the CD tray, the web link.
#include <algorithm>
#include <array>
#include <utility>

#include "app/main_window.h"
#include "figures/tray_texts.h"
#include "framework/sysutils.h"
#include "program/command_line.h"
#include "program/product.h"
#include "program/running_copy.h"

namespace vantrel {

namespace {

constexpr char kOpenCdTray[] = "Set CDAudio Door Open";
constexpr char kCloseCdTray[] = "Set CDAudio Door Closed";
// The pass of each tray click action up to "Free 320 MB"; the numbers belong to the indexes, not the texts.
constexpr std::array<std::int32_t, 8> kClickMegabytes = {4, 8, 16, 32, 64, 128, 256, 320};
constexpr int kClickFreeAll = 8;
constexpr int kClickShowHide = 9;

}  // namespace

void TfrmVantrel::btnFreeAllClick(TObject*) {
  userPass(kWholeMemoryPass, PassKind::Button);
}

void TfrmVantrel::userPass(std::int32_t megabytes, PassKind kind) {
  if (megabytes == kWholeMemoryPass) {
    // The chosen regions first, off this thread; the pass and the balloon follow once they have ended.
    startFreeAll(kind);
    return;
  }
  const std::uint32_t pass = passStarted(kind);
  const std::int64_t before = MaxMem1->FreeMemory();
  MaxMem1->Defrag(megabytes);
  passEnded(pass);
  // A shell without balloons shows nothing, which is all there is to do about it.
  TextTrayIcon1->ShowBalloonHint(kProductName, PassBalloonText(before, MaxMem1->FreeMemory()));
}

void TfrmVantrel::TextTrayIcon1Click(TObject*) {
  // Read before anything can change it, so that one click never both shows and hides.
  const std::int32_t flag = StrToInt(Label15->Caption());
  const int action = ComboBox1->ItemIndex();
  if (action >= 0 && action < static_cast<int>(kClickMegabytes.size())) {
    userPass(kClickMegabytes[static_cast<std::size_t>(action)], PassKind::Click);
  } else if (action == kClickFreeAll) {
    userPass(kWholeMemoryPass, PassKind::Click);
  } else if (action == kClickShowHide) {
    showHideToggle(flag);
  }
}

void TfrmVantrel::SShow_oldClick(TObject*) {
  showHideToggle(StrToInt(Label15->Caption()));
}

void TfrmVantrel::showHideToggle(std::int32_t flag) {
  if (flag == 1) {
    TextTrayIcon1->ShowMainWindow();
    Label15->SetCaption("0");
    Timer3->SetEnabled(true);
    SetFocus();
  } else if (flag == 0) {
    TextTrayIcon1->HideMainWindow();
    Label15->SetCaption("1");
    Timer3->SetEnabled(false);
  }
}

void TfrmVantrel::TextTrayIcon1MinimizeToTray(TObject*) {
  // Otherwise the next Show/Hide would take the hidden window for a shown one and do nothing.
  Label15->SetCaption("1");
}

void TfrmVantrel::listenToLaterStarts() {
  TApplication& application = *Application();
  application.OnCopyData = [this](std::uintptr_t data, const std::string& bytes) {
    return ApplicationCopyData(data, bytes);
  };
  platform::WindowSystem& windows = *services_.windowSystem;
  if (application.Handle() != 0 && windows.GetTokenElevation()) {
    windows.ChangeWindowMessageFilterEx(application.Handle(), platform::kWmCopyData);
    // What a later start asks to learn that this copy, busy when handed a command, has carried it out.
    windows.ChangeWindowMessageFilterEx(application.Handle(), platform::kWmNull);
  }
}

bool TfrmVantrel::ApplicationCopyData(std::uintptr_t Data, const std::string& Bytes) {
  if (Data != kCommandData) {
    return false;
  }
  if (Bytes == kCloseCommand) {
    // An elevated copy already has the rights that an elevated start comes for.
    if (services_.windowSystem->GetTokenElevation()) {
      return false;
    }
    // Ends as the menu's Close ends it, saving the settings, once the later start has its answer; from now
    // on it takes no command, so the later start waits to run in its place.
    Close();
    return true;
  }
  if (Bytes == kShowCommand) {
    // As Show/Hide shows the hidden window; a shown one comes to the front.
    showHideToggle(1);
    return true;
  }
  if (const std::optional<std::int32_t> megabytes = PassOfCommand(Bytes)) {
    // Run once the later start has its answer: it waits less long than a pass may take. What waits or runs
    // already takes it in: one Free All, and one pass of the largest size asked for.
    if (*megabytes == kWholeMemoryPass) {
      handedFreeAll_ = true;
    } else if (*megabytes > handedPassRunning_) {
      handedPass_ = std::max(handedPass_, *megabytes);
    }
    HandedPassTimer->SetEnabled(true);
    return true;
  }
  return false;
}

void TfrmVantrel::HandedPassTimerTimer(TObject*) {
  HandedPassTimer->SetEnabled(false);
  // Closing (Close, or the session's end), a box's own message loop may still run this timer: what waits
  // is dropped.
  if (const std::int32_t megabytes = std::exchange(handedPass_, 0);
      megabytes > 0 && !Application()->Quitting()) {
    handedPassRunning_ = megabytes;
    userPass(megabytes, PassKind::CommandLine);
    handedPassRunning_ = 0;
  }
  if (std::exchange(handedFreeAll_, false) && !Application()->Quitting()) {
    // Ignored while one runs, which frees what this one would.
    userPass(kWholeMemoryPass, PassKind::CommandLine);
  }
}

void TfrmVantrel::SEnable_oldClick(TObject*) {
  // Decided on the check mark as it is now: the steps below change it.
  if (!SEnable->Checked) {
    TextTrayIcon1->SetIconIndex(1);
    SEnable->Checked = true;
    Timer1->SetEnabled(true);
    CheckBox1->SetChecked(true);
  } else {
    CheckBox1->SetChecked(false);
    SEnable->Checked = false;
    Timer1->SetEnabled(false);
  }
}

void TfrmVantrel::CustomItem3Click(TObject*) {
  sendToCdDrive(kOpenCdTray);
}

void TfrmVantrel::ByeClick(TObject*) {
  sendToCdDrive(kCloseCdTray);
}

void TfrmVantrel::sendToCdDrive(const char* command) {
  // A machine without a drive, or with one that cannot move its tray, is not worth a message.
  try {
    services_.multimedia->mciSendStringA(command, Handle());
  } catch (...) {
  }
}

void TfrmVantrel::CustomItem4Click(TObject*) {
  Close();
}

void TfrmVantrel::MaxMem1BeforeDefrag(TObject*) {
  TextTrayIcon1->SetIconList(ImageList1);
  TextTrayIcon1->SetCycleIcons(false);
  Timer1->SetEnabled(false);
}

void TfrmVantrel::MaxMem1Progress(TObject*, std::int32_t Progress) {
  ProgressBar1->SetPosition(Progress);
}

void TfrmVantrel::MaxMem1AfterDefrag(TObject*) {
  if (CheckBox1->Checked()) {
    Timer1->SetEnabled(true);
  }
  ProgressBar1->SetPosition(0);
  TextTrayIcon1->SetIconList(nullptr);
  // The pass image stays until the next tray text tick draws the figure again.
  TextTrayIcon1->SetIcon(ImageList1->GetIcon(0));
  Timer3Timer(this);
}

void TfrmVantrel::Label23Click(TObject*) {
  services_.shellExecution->ShellExecuteA(Handle(), "open", kWebSite, "", "", platform::kSwShowNormal);
}

}  // namespace vantrel
