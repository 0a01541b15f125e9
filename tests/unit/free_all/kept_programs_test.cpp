#include "free_all/kept_programs.h"

#include <gtest/gtest.h>

#include "fake_native_application.h"
#include "fake_services.h"
#include "free_all/kept_programs_form.h"
#include "program_run.h"

namespace vantrel {
namespace {

TEST(KeptPrograms, NamesAreKeptAsTypedOnceWhateverTheirCaseAndNeverWithABar) {
  struct Case {
    const char* typed;
    KeptName answer;
    std::size_t at;
  };
  // "Блокнот.exe", "Ωmega.exe", "記事本.exe" are there.
  std::vector<std::string> names = {"\xD0\x91\xD0\xBB\xD0\xBE\xD0\xBA\xD0\xBD\xD0\xBE\xD1\x82.exe",
                                    "\xCE\xA9mega.exe", "\xE8\xA8\x98\xE4\xBA\x8B\xE6\x9C\xAC.exe"};
  const std::vector<Case> cases = {
      {"\xD0\xB1\xD0\x9B\xD0\xBE\xD0\xBA\xD0\xBD\xD0\xBE\xD1\x82.EXE", KeptName::AlreadyKept, 0},
      {"\xCF\x89MEGA.exe", KeptName::AlreadyKept, 1},
      {"\xE3\x80\x80\xE8\xA8\x98\xE4\xBA\x8B\xE6\x9C\xAC.exe ", KeptName::AlreadyKept, 2},
      {" \t\xC2\xA0", KeptName::Empty, 9},
      {"a|b.exe", KeptName::HasBar, 9},
      {"  Game Launcher.exe\t", KeptName::Added, 3},
      {"GAME launcher.exe", KeptName::AlreadyKept, 3},
      // Another letter, not another case of it.
      {"\xD1\x91.exe", KeptName::Added, 4},
      {"\xD0\xB5.exe", KeptName::Added, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    std::size_t at = 9;
    EXPECT_EQ(AddKeptProgram(names, c.typed, at), c.answer);
    EXPECT_EQ(at, c.at);
  }
  EXPECT_EQ(names.size(), 6u);
  EXPECT_EQ(names[3], "Game Launcher.exe");
}

TEST(KeptPrograms, TheDialogOffersTheRunningProgramsOnceAndOnlyOkKeepsItsChanges) {
  fakes::FakeServices machine;
  machine.process.moduleFileName = "C:\\Vantrel\\Vantrel.exe";
  machine.systemMemory.processNames = {{4, "b.exe"}, {100, "A.exe"}, {200, "a.exe"}};
  auto native = std::make_unique<fakes::FakeNativeApplication>();
  fakes::FakeNativeApplication& fake = *native;
  TApplication application(machine.services, std::move(native));
  auto* form = application.CreateForm<TfrmVantrel>();
  TFreeMemoryPage& page = ShowFreeMemoryPage(*form);
  EXPECT_EQ(page.btnKeepPrograms->Caption(), "Never trim these programs...");

  int boxes = 0;
  for (const int result : {mrCancel, mrOk}) {
    fake.whileModal = [&](TForm& shown) {
      auto& dialog = static_cast<TKeptProgramsForm&>(shown);
      EXPECT_EQ(dialog.cbName->Items(), (std::vector<std::string>{"A.exe", "b.exe"}));
      dialog.cbName->UserSelect(1);
      dialog.btnAdd->Click();
      dialog.cbName->UserEdit("x|y.exe");
      dialog.btnOk->Click();  // refused, said, the dialog stays
      boxes = static_cast<int>(machine.dialogs.boxes.size());
      EXPECT_EQ(dialog.ModalResult, mrNone);
      dialog.lvPrograms->SetSelected(0, true);
      dialog.btnRemove->Click();
      dialog.cbName->UserEdit(" c.exe ");
      result == mrOk ? dialog.DialogKey(true) : dialog.DialogKey(false);
      EXPECT_EQ(dialog.Programs(),
                (result == mrOk ? std::vector<std::string>{"c.exe"} : std::vector<std::string>{}));
    };
    page.btnKeepPrograms->Click();
    EXPECT_EQ(boxes, result == mrOk ? 2 : 1);
  }
  EXPECT_EQ(page.Settings().keepPrograms, (std::vector<std::string>{"c.exe"}));
  EXPECT_EQ(page.btnKeepPrograms->Caption(), "Never trim these programs... (1)");
  EXPECT_TRUE(form->Enabled());
}

}  // namespace
}  // namespace vantrel
