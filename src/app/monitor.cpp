// The memory monitor and automatic reclaim: the three timers' ticks, switching automatic reclaim on and off,
// and the choice of the reclaim target.
#include "app/main_window.h"

namespace vantrel {

void TfrmVantrel::Timer1Timer(TObject*) {}

void TfrmVantrel::Timer2Timer(TObject*) {}

void TfrmVantrel::Timer3Timer(TObject*) {}

void TfrmVantrel::CheckBox1Click(TObject*) {
  if (CheckBox1->Checked()) {
    SEnable->Checked = true;
    Timer1->SetEnabled(true);
    Timer1->SetInterval(SecondsToInterval(edtCMI->Value()));
  } else {
    Timer1->SetEnabled(false);
    SEnable->Checked = false;
  }
}

void TfrmVantrel::listMaxClick(TObject*) {}

}  // namespace vantrel
