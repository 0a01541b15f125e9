// The dialog that edits the programs a Free All never trims: their list, a field to type a name or pick a
// running program's, Add, Remove, OK and Cancel. Cancel leaves the list as it was.
#pragma once

#include <string>
#include <vector>

#include "framework/comctrls.h"
#include "framework/ext_controls.h"
#include "framework/form.h"
#include "framework/std_controls.h"

namespace vantrel {

class TKeptProgramsForm : public TForm {
 public:
  // Shows `programs`, offers the `running` programs' names, and is titled `title` as the program's boxes.
  TKeptProgramsForm(TApplication& application, const std::vector<std::string>& programs,
                    const std::vector<std::string>& running, const std::string& title);

  TLabel* lblPrograms;
  TListView* lvPrograms;
  TSpeedButton* btnRemove;
  TLabel* lblName;
  TComboBox* cbName;
  TSpeedButton* btnAdd;
  TSpeedButton* btnOk;
  TSpeedButton* btnCancel;

  // The list as shown.
  const std::vector<std::string>& Programs() const { return programs_; }

  void btnAddClick(TObject* Sender);
  void btnRemoveClick(TObject* Sender);
  // A name still in the field is added first: OK is what a user presses after typing it.
  void btnOkClick(TObject* Sender);

 private:
  // Adds the field's name; false when it was refused, which a box has said.
  bool addTyped();

  std::vector<std::string> programs_;
  std::string title_;
};

}  // namespace vantrel
