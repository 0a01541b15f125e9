// The framework's controls headless: their state, and which changes run their handlers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_native_application.h"
#include "fake_services.h"
#include "framework/application.h"
#include "framework/comctrls.h"
#include "framework/exception.h"
#include "framework/spin_edit.h"
#include "framework/std_controls.h"
#include "framework/timer.h"

namespace vantrel {
namespace {

// The fakes come first: the application reads the locale when it starts.
struct LocaleFirst {
  explicit LocaleFirst(const char* separator) { fakes.locale.decimalSeparator = separator; }
  fakes::FakeServices fakes;
};

struct Headless : LocaleFirst {
  explicit Headless(const char* separator = ".")
      : LocaleFirst(separator), application(fakes.services), form(application.CreateForm<TForm>()) {
    application.SetTitle("Title");
  }
  TApplication application;
  TForm* form;
};

TSpinEdit* spinEdit(Headless& h, std::int32_t min, std::int32_t max, const std::string& text) {
  auto* edit = new TSpinEdit(h.form);
  edit->SetMinValue(min);
  edit->SetMaxValue(max);
  edit->SetText(text);
  edit->SetParent(h.form);
  return edit;
}

TEST(SpinEdit, ValueIsTheTextOrTheLowerBound) {
  Headless h;
  struct Case {
    std::string text;
    std::int32_t value;
  };
  for (const Case& c : std::vector<Case>{{"4", 4}, {"9", 9}, {"-3", -3}, {"", 1}, {"1.5", 1}, {"abc", 1}}) {
    SCOPED_TRACE(c.text);
    TSpinEdit* edit = spinEdit(h, 1, 6, c.text);
    EXPECT_EQ(edit->Value(), c.value);
    EXPECT_EQ(edit->Text(), c.text);  // put in by the program: not clamped
  }
}

TEST(SpinEdit, ArrowsStepByOneWithinTheBounds) {
  Headless h;
  struct Case {
    std::string text;
    bool up;
    std::string after;
  };
  const std::vector<Case> cases = {
      {"3", true, "4"},  {"6", true, "6"},     {"3", false, "2"},  {"1", false, "1"},
      {"9", true, "6"},  {"9", false, "6"},    {"0", true, "1"},   {"", true, "2"},
      {"x", false, "1"}, {"1000", false, "6"}, {"-40", true, "1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + (c.up ? " up" : " down"));
    TSpinEdit* edit = spinEdit(h, 1, 6, c.text);
    c.up ? edit->UpClick() : edit->DownClick();
    EXPECT_EQ(edit->Text(), c.after);
  }
}

TEST(SpinEdit, LeavingTheEditClampsOnlyAValueOutsideTheBounds) {
  Headless h;
  struct Case {
    std::string text;
    std::string after;
  };
  for (const Case& c :
       std::vector<Case>{{"1000", "85"}, {"6", "16"}, {"40", "40"}, {"", ""}, {"1.5", "1.5"}}) {
    SCOPED_TRACE(c.text);
    TSpinEdit* edit = spinEdit(h, 16, 85, c.text);
    edit->DoExit();
    EXPECT_EQ(edit->Text(), c.after);
  }
}

TEST(SpinEdit, EqualBoundsMeanNoBoundsAndStepsNeverOverflow) {
  Headless h;
  TSpinEdit* open = spinEdit(h, 0, 0, "5000");
  open->UpClick();
  EXPECT_EQ(open->Text(), "5001");
  open->SetText("2147483647");
  open->UpClick();
  EXPECT_EQ(open->Text(), "2147483647");
  open->SetText("-2147483648");
  open->DownClick();
  EXPECT_EQ(open->Text(), "-2147483648");
}

TEST(SpinEdit, TypedCharactersAreFilteredWithABeep) {
  Headless h;
  Headless local(",");
  TSpinEdit* edit = spinEdit(h, 1, 6, "1");
  struct Case {
    char key;
    bool accepted;
  };
  const std::vector<Case> cases = {{'0', true},  {'9', true},    {'+', true},   {'-', true},  {'.', true},
                                   {'\b', true}, {'\x16', true}, {'\r', false}, {'a', false}, {' ', false},
                                   {',', false}, {'$', false},   {'x', false}};
  int beeps = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.key));
    EXPECT_EQ(edit->KeyPress(c.key), c.accepted);
    beeps += c.accepted ? 0 : 1;
    EXPECT_EQ(h.fakes.dialogs.beeps, beeps);
  }
  TSpinEdit* comma = spinEdit(local, 1, 6, "1");
  EXPECT_TRUE(comma->KeyPress(','));
  EXPECT_FALSE(comma->KeyPress('.'));
}

TEST(CheckBox, EveryChangeOfStateRunsTheHandlerOnce) {
  Headless h;
  auto* box = new TCheckBox(h.form);
  std::vector<bool> seen;
  std::vector<bool> byUser;
  box->OnClick = [&](TObject* sender) {
    EXPECT_EQ(sender, box);
    seen.push_back(box->Checked());
    byUser.push_back(box->ClickedByUser());
  };
  box->SetChecked(false);
  box->SetChecked(true);
  box->SetChecked(true);
  box->Toggle();
  EXPECT_EQ(seen, (std::vector<bool>{true, false}));

  auto* label = new TLabel(h.form);
  label->FocusControl = box;
  label->Click();
  EXPECT_TRUE(box->Checked());
  box->SetChecked(false);
  EXPECT_EQ(byUser, (std::vector<bool>{false, true, true, false}));
}

TEST(ListBoxAndComboBox, OnlyTheUsersSelectionRunsTheHandler) {
  Headless h;
  auto* list = new TListBox(h.form);
  list->SetItems({"a", "b", "c"});
  int clicks = 0;
  list->OnClick = [&](TObject*) { ++clicks; };
  list->SetItemIndex(2);
  EXPECT_EQ(list->ItemIndex(), 2);
  list->SetItemIndex(40);
  EXPECT_EQ(list->ItemIndex(), -1);
  EXPECT_EQ(clicks, 0);
  list->UserSelect(1);
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(clicks, 1);

  auto* combo = new TComboBox(h.form);
  combo->SetItems({"x", "y"});
  combo->SetCaption("layout");
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->Caption(), "y");
  combo->SetItemIndex(12);
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Caption(), "");
  combo->UserSelect(0);
  combo->UserEdit("typed");
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Caption(), "typed");
}

TEST(PageControl, APageIsShownWhenItIsActiveAndTheFormIsShown) {
  Headless h;
  auto* pages = new TPageControl(h.form);
  pages->SetParent(h.form);
  auto* first = new TTabSheet(h.form, pages);
  auto* second = new TTabSheet(h.form, pages);
  std::vector<std::string> events;
  first->OnShow = [&](TObject*) { events.push_back("first shown"); };
  first->OnHide = [&](TObject*) { events.push_back("first hidden"); };
  second->OnShow = [&](TObject*) { events.push_back("second shown"); };
  pages->SetActivePage(first);
  EXPECT_TRUE(events.empty());  // the form is not shown yet
  h.form->Show();
  pages->UserSelectTab(1);
  EXPECT_EQ(pages->TabIndex(), 1);
  h.form->Hide();
  h.form->Show();
  pages->UserSelectTab(0);
  EXPECT_EQ(events, (std::vector<std::string>{"first shown", "second shown", "first hidden", "second shown",
                                              "first shown"}));
}

TEST(ListView, KeepsRowsInTheGivenOrderAndTracksSelection) {
  Headless h;
  auto* list = new TListView(h.form);
  list->MultiSelect = true;
  list->Compare = [](const TListRow& a, const TListRow& b) { return a.Caption.compare(b.Caption); };
  list->AddRow({"b", {"2"}});
  list->AddRow({"a", {"1"}});
  EXPECT_EQ(list->AddRow({"c", {"3"}}), 2);
  EXPECT_EQ(list->Rows()[0].Caption, "a");
  list->SetSelected(1, true);
  list->UserSelect(2, true);
  EXPECT_EQ(list->SelCount(), 2);
  EXPECT_EQ(list->Selected(), 1);
  list->DeleteRow(1);
  EXPECT_EQ(list->Selected(), 1);
  EXPECT_EQ(list->Rows()[1].Caption, "c");
  list->Clear();
  EXPECT_EQ(list->Selected(), -1);
}

TEST(ListView, SendsEachRowChangeAloneToItsWindow) {
  fakes::FakeServices fakes;
  auto native = std::make_unique<fakes::FakeNativeApplication>();
  fakes::FakeNativeApplication& windows = *native;
  TApplication application(fakes.services, std::move(native));
  TForm* form = application.CreateForm<TForm>();
  auto* list = new TListView(form);
  list->Compare = [](const TListRow& a, const TListRow& b) { return a.Caption.compare(b.Caption); };
  list->AddRow({"b", {"2"}});
  list->SetParent(form);
  fakes::FakeControl* window = windows.of(*list);
  ASSERT_NE(window, nullptr);

  list->AddRow({"d", {"4"}, 0, true});
  list->AddRow({"a", {"1"}});
  list->AddRow({"c", {"3"}, 0, true});  // one selected row at most
  list->DeleteRow(0);
  list->SetSelected(0, true);
  const auto shown = [](const std::vector<TListRow>& rows) {
    std::string text;
    for (const TListRow& row : rows) {
      text += row.Caption + (row.Selected ? "* " : " ");
    }
    return text;
  };
  EXPECT_EQ(shown(window->rows), "b* c d ");
  EXPECT_EQ(shown(window->rows), shown(list->Rows()));
  EXPECT_EQ(window->rowResets, 1);  // only when the window was made
}

TEST(Application, ErrorBoxAddsAFullStopOnlyAfterCharactersThatSortAfterIt) {
  Headless h;
  struct Case {
    std::string message;
    std::string shown;
  };
  const std::vector<Case> cases = {
      {"'' is not a valid integer value", "'' is not a valid integer value."},
      {"Failed to set data for 'Vantrel'", "Failed to set data for 'Vantrel'"},
      {"Unable to write to C:\\Vantrel.ini", "Unable to write to C:\\Vantrel.ini."},
      {"Done.", "Done."},
      {"Disk 3", "Disk 3."},
      {"(none)", "(none)"},
      {"", ""},
  };
  for (const Case& c : cases) {
    h.application.ShowException(c.message);
    ASSERT_FALSE(h.fakes.dialogs.boxes.empty());
    EXPECT_EQ(h.fakes.dialogs.boxes.back().text, c.shown);
    EXPECT_EQ(h.fakes.dialogs.boxes.back().caption, "Title");
    EXPECT_EQ(h.fakes.dialogs.boxes.back().type, platform::kMbOk | platform::kMbIconStop);
  }
}

TEST(Application, MinimisingHidesTheMainFormAndRestoringShowsIt) {
  Headless h;
  int shows = 0;
  h.form->OnShow = [&](TObject*) { ++shows; };
  h.form->SetWindowState(TWindowState::wsMinimized);
  h.application.Run();  // headless: returns at once
  EXPECT_FALSE(h.form->Visible());
  EXPECT_TRUE(h.application.Minimized());
  h.application.Restore();
  EXPECT_TRUE(h.form->Visible());
  EXPECT_EQ(h.form->WindowState(), TWindowState::wsNormal);
  h.application.Minimize();
  h.application.Restore();
  EXPECT_EQ(shows, 2);
}

TEST(Application, AnErrorAtTheSessionsEndOpensNoBoxButOneAtAnOrdinaryExitDoes) {
  for (const bool sessionEnds : {true, false}) {
    SCOPED_TRACE(sessionEnds);
    fakes::FakeServices fakes;
    int destroyed = 0;
    {
      TApplication application(fakes.services);
      TForm* form = application.CreateForm<TForm>();
      form->OnDestroy = [&](TObject*) {
        ++destroyed;
        throw Exception("Unable to write to C:\\Vantrel.ini");
      };
      if (sessionEnds) {
        application.EndSession();
        EXPECT_TRUE(application.Terminated());
      }
    }
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(fakes.dialogs.boxes.size(), sessionEnds ? 0u : 1u);
  }
}

TEST(Application, DataHandedOverIsTakenOnlyOnceTheMainFormIsCreated) {
  fakes::FakeServices fakes;
  TApplication application(fakes.services);
  std::vector<std::string> taken;
  application.OnCopyData = [&](std::uintptr_t, const std::string& bytes) {
    taken.push_back(bytes);
    return true;
  };
  struct Form : TForm {
    explicit Form(TApplication& application) : TForm(application) {
      // A handover while the form starts (its loading may wait on other processes, which lets one in).
      OnCreate = [&application](TObject*) { EXPECT_FALSE(application.CopyData(1, "early")); };
    }
  };
  application.CreateForm<Form>();
  EXPECT_TRUE(application.CopyData(1, "show"));
  application.OnCopyData = [](std::uintptr_t, const std::string&) -> bool { throw Exception("broken"); };
  EXPECT_FALSE(application.CopyData(1, "show"));
  EXPECT_EQ(taken, std::vector<std::string>{"show"});
  EXPECT_EQ(fakes.dialogs.boxes.size(), 1u);
}

TEST(Application, HooksSeeMessagesLatestFirstAndMayRemoveThemselves) {
  Headless h;
  std::vector<std::string> seen;
  int first = h.application.HookMainWindow([&](TMessage&) {
    seen.push_back("first");
    return false;
  });
  int second = 0;
  second = h.application.HookMainWindow([&](TMessage& message) {
    seen.push_back("second");
    h.application.UnhookMainWindow(second);
    message.Result = 7;
    return message.Msg == 1;
  });
  TMessage message{1, 0, 0, 0};
  EXPECT_TRUE(h.application.DispatchHooks(message));
  EXPECT_EQ(message.Result, 7);
  EXPECT_FALSE(h.application.DispatchHooks(message));
  h.application.UnhookMainWindow(first);
  EXPECT_FALSE(h.application.DispatchHooks(message));
  EXPECT_EQ(seen, (std::vector<std::string>{"second", "first"}));
}

TEST(Timer, IntervalsFromSeconds) {
  EXPECT_EQ(SecondsToInterval(1), 1000u);
  EXPECT_EQ(SecondsToInterval(6), 6000u);
  EXPECT_EQ(SecondsToInterval(0), 0u);
  EXPECT_EQ(SecondsToInterval(-1), 0u);
  EXPECT_EQ(SecondsToInterval(2147483647), 4294967000u);
}

TEST(Timer, FiresOnTheClockAndStartsAfreshOnEveryChange) {
  fakes::FakeServices fakes;
  auto native = std::make_unique<fakes::FakeNativeApplication>();
  fakes::FakeNativeApplication& clock = *native;
  TApplication application(fakes.services, std::move(native));
  std::vector<std::string> ticks;
  const auto timer = [&](const char* name, std::uint32_t interval) {
    auto* created = new TTimer(&application);
    created->SetInterval(interval);
    created->SetOnTimer([&ticks, name](TObject*) { ticks.push_back(name); });
    return created;
  };
  TTimer* fast = timer("fast", 300);
  TTimer* slow = timer("slow", 600);
  clock.advance(1200);
  EXPECT_EQ(ticks, (std::vector<std::string>{"fast", "fast", "slow", "fast", "fast", "slow"}));
  EXPECT_EQ(clock.firings, (std::vector<std::uint64_t>{300, 600, 600, 900, 1200, 1200}));

  // Restarting at 1300 or changing the interval at 1400 begins a full period from then.
  ticks.clear();
  clock.advance(100);
  fast->SetEnabled(false);
  fast->SetEnabled(true);
  clock.advance(100);
  slow->SetInterval(500);
  clock.advance(500);
  // Due together: the one started first fires first.
  EXPECT_EQ(ticks, (std::vector<std::string>{"fast", "fast", "slow"}));
  EXPECT_EQ(std::vector<std::uint64_t>(clock.firings.end() - 3, clock.firings.end()),
            (std::vector<std::uint64_t>{1600, 1900, 1900}));

  ticks.clear();
  fast->SetEnabled(false);
  slow->SetInterval(0);
  clock.advance(10000);
  EXPECT_TRUE(ticks.empty());
  EXPECT_EQ(clock.liveTimers(), 0);
}

}  // namespace
}  // namespace vantrel
