#include "app/main_window.h"

#include "app/product.h"

namespace vantrel {

TfrmVantrel::TfrmVantrel(TApplication& application, platform::Services& services)
    : TForm(application), MaxMem1(new TMaxMem(this, *services.memory)) {
  SetName("frmVantrel");
  MaxMem1->SetName("MaxMem1");
  SetCaption(kProductLine);
  Left = 275;
  Top = 192;
  ClientWidth = 452;
  ClientHeight = 311;
}

TfrmVantrel::~TfrmVantrel() {
  BeforeDestruction();
}

}  // namespace vantrel
