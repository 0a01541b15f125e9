// The controls of a tab page as the window lays them out: one-row labels, spin edits of the edits' height,
// and check boxes whose text a label beside them shows. Positions are in pixels of the page's client area.
#pragma once

#include <cstdint>
#include <string>

#include "framework/controls.h"
#include "framework/spin_edit.h"
#include "framework/std_controls.h"

namespace vantrel {

// The page of the smallest window, and the heights of a row of text and of an edit.
constexpr int kPageWidth = 444;
constexpr int kRowHeight = 16;
constexpr int kEditHeight = 22;

TLabel* NewLabel(TComponent* owner, TWinControl* parent, const std::string& name, const char* caption,
                 int left, int top, int width);
TSpinEdit* NewSpinEdit(TComponent* owner, TWinControl* parent, const char* name, std::int32_t minValue,
                       std::int32_t maxValue, const char* text, int left, int top, int width);
// The box carries the label's text too, for screen readers; a click on the label toggles the box.
TCheckBox* NewCheckBox(TComponent* owner, TWinControl* parent, const std::string& name, const char* caption,
                       int left, int top);

}  // namespace vantrel
