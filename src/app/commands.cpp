// The commands a person gives: reclaim passes and what shows them, the tray menu, the CD tray, the web link.
#include "app/main_window.h"
#include "app/product.h"

namespace vantrel {

namespace {

constexpr char kOpenCdTray[] = "Set CDAudio Door Open";
constexpr char kCloseCdTray[] = "Set CDAudio Door Closed";

}  // namespace

void TfrmVantrel::btnFreeAllClick(TObject*) {
  MaxMem1->DefragAll();
}

void TfrmVantrel::SShow_oldClick(TObject*) {}

void TfrmVantrel::SEnable_oldClick(TObject*) {
  // Decided on the check mark as it is now: the steps below change it.
  if (!SEnable->Checked) {
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
  Timer3Timer(this);
}

void TfrmVantrel::Label23Click(TObject*) {
  services_.shellExecution->ShellExecuteA(Handle(), "open", kWebSite, "", "", platform::kSwShowNormal);
}

}  // namespace vantrel
