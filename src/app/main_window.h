// TfrmVantrel: the program's one window and the components it owns.
#pragma once

#include "framework/application.h"
#include "framework/form.h"
#include "memory/max_mem.h"
#include "platform/services.h"

namespace vantrel {

class TfrmVantrel : public TForm {
 public:
  TfrmVantrel(TApplication& application, platform::Services& services);
  ~TfrmVantrel() override;

  TMaxMem* MaxMem1;
};

}  // namespace vantrel
