#include "framework/page_controls.h"

namespace vantrel {

TLabel* NewLabel(TComponent* owner, TWinControl* parent, const std::string& name, const char* caption,
                 int left, int top, int width) {
  auto* control = new TLabel(owner);
  control->SetName(name);
  control->SetCaption(caption);
  control->SetBounds(left, top, width, kRowHeight);
  control->SetParent(parent);
  return control;
}

TSpinEdit* NewSpinEdit(TComponent* owner, TWinControl* parent, const char* name, std::int32_t minValue,
                       std::int32_t maxValue, const char* text, int left, int top, int width) {
  auto* edit = new TSpinEdit(owner);
  edit->SetName(name);
  edit->SetMinValue(minValue);
  edit->SetMaxValue(maxValue);
  edit->SetText(text);
  edit->SetBounds(left, top, width, kEditHeight);
  edit->SetParent(parent);
  return edit;
}

TCheckBox* NewCheckBox(TComponent* owner, TWinControl* parent, const std::string& name, const char* caption,
                       int left, int top) {
  auto* box = new TCheckBox(owner);
  box->SetName(name);
  box->SetCaption(caption);
  box->SetBounds(left, top, 16, 18);
  box->SetParent(parent);
  return box;
}

}  // namespace vantrel
