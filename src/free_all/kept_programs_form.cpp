#include "free_all/kept_programs_form.h"

#include <algorithm>

#include "framework/application.h"
#include "free_all/kept_programs.h"
#include "platform/dialogs.h"

namespace vantrel {

namespace {

constexpr int kWidth = 330;
constexpr int kHeight = 234;
constexpr int kButtonWidth = 76;
constexpr int kButtonHeight = 24;

TSpeedButton* button(TKeptProgramsForm* form, const char* name, const char* caption, int left, int top) {
  auto* control = new TSpeedButton(form);
  control->SetName(name);
  control->SetCaption(caption);
  control->Flat = false;
  control->SetBounds(left, top, kButtonWidth, kButtonHeight);
  control->SetParent(form);
  return control;
}

TLabel* label(TKeptProgramsForm* form, const char* name, const char* caption, int top) {
  auto* control = new TLabel(form);
  control->SetName(name);
  control->SetCaption(caption);
  control->SetBounds(8, top, kWidth - 16, 16);
  control->SetParent(form);
  return control;
}

}  // namespace

TKeptProgramsForm::TKeptProgramsForm(TApplication& application, const std::vector<std::string>& programs,
                                     const std::vector<std::string>& running, const std::string& title)
    : TForm(application), title_(title) {
  SetName("KeptProgramsForm");
  SetCaption(title);
  DialogFrame = true;
  SetFont(application.MainForm() ? application.MainForm()->Font() : TFont{});
  SetBounds(0, 0, kWidth, kHeight);

  lblPrograms = label(this, "lblPrograms", "A Free All never trims the memory of these programs:", 8);
  lvPrograms = new TListView(this);
  lvPrograms->SetName("lvPrograms");
  lvPrograms->ReadOnly = true;
  lvPrograms->RowSelect = true;
  lvPrograms->HideSelection = false;
  lvPrograms->ShowColumnHeaders = false;
  lvPrograms->ShowHint = true;
  lvPrograms->SetColumns({{"Program", 204}});
  lvPrograms->SetBounds(8, 28, 230, 120);
  lvPrograms->SetParent(this);
  btnRemove = button(this, "btnRemove", "Remove", 246, 28);
  btnRemove->OnClick = [this](TObject* sender) { btnRemoveClick(sender); };

  lblName = label(this, "lblName", "Type a program's file name, or pick a running one:", 156);
  cbName = new TComboBox(this);
  cbName->SetName("cbName");
  cbName->SetItems(running);
  cbName->SetBounds(8, 176, 230, 200);
  cbName->SetParent(this);
  lblName->FocusControl = cbName;
  btnAdd = button(this, "btnAdd", "Add", 246, 175);
  btnAdd->OnClick = [this](TObject* sender) { btnAddClick(sender); };

  btnOk = button(this, "btnOk", "OK", 166, 204);
  btnOk->OnClick = [this](TObject* sender) { btnOkClick(sender); };
  btnCancel = button(this, "btnCancel", "Cancel", 246, 204);
  btnCancel->OnClick = [this](TObject*) { ModalResult = mrCancel; };
  DefaultButton = btnOk;
  CancelButton = btnCancel;

  for (const std::string& name : programs) {
    programs_.push_back(name);
    lvPrograms->AddRow({name, {}});
  }
}

void TKeptProgramsForm::btnAddClick(TObject*) {
  addTyped();
}

void TKeptProgramsForm::btnRemoveClick(TObject*) {
  const int index = lvPrograms->Selected();
  if (index < 0) {
    return;
  }
  programs_.erase(programs_.begin() + index);
  lvPrograms->DeleteRow(index);
  lvPrograms->SetSelected(std::min(index, lvPrograms->RowCount() - 1), true);
}

void TKeptProgramsForm::btnOkClick(TObject*) {
  if (addTyped()) {
    ModalResult = mrOk;
  }
}

bool TKeptProgramsForm::addTyped() {
  std::size_t at = 0;
  switch (AddKeptProgram(programs_, cbName->Caption(), at)) {
    case KeptName::Empty:
      return true;
    case KeptName::HasBar:
      Application()->MessageBox(kKeptNameHasBar, title_, platform::kMbOk | platform::kMbIconWarning);
      return false;
    case KeptName::Added:
      lvPrograms->AddRow({programs_.back(), {}});
      break;
    case KeptName::AlreadyKept:
      break;
  }
  // The name added, or the one that was there already, shows selected; the field is ready for the next.
  lvPrograms->SetSelected(static_cast<int>(at), true);
  lvPrograms->MakeVisible(static_cast<int>(at));
  cbName->SetItemIndex(-1);
  return true;
}

}  // namespace vantrel
