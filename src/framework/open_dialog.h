// TOpenDialog: the system's file-open dialog as a component.
#pragma once

#include <string>

#include "framework/component.h"

namespace vantrel {

class TOpenDialog : public TComponent {
 public:
  using TComponent::TComponent;

  // The chosen file's full path (and the file the dialog starts at).
  std::string FileName;
  // Shows the dialog; true when the user chose a file, false when they cancelled.
  bool Execute();
};

}  // namespace vantrel
