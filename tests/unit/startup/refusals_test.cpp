// The startup manager's refusals: one text for an action, whatever failed in it.
#include "startup/refusals.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vantrel {
namespace {

TEST(Refusals, NameTheActionTheEntryAndTheReasonAndSayOnceWhatAnAdministratorCanDo) {
  TRefusals refusals(EntryAction::SwitchOff);
  EXPECT_TRUE(refusals.Empty());
  refusals.NoRights("Updater", "All users", true);
  refusals.NoRights("Helper", "All users (32-bit)", true);
  refusals.Refused("Gone App", "This user", kReasonGone);
  EXPECT_EQ(refusals.Text(),
            "To change them, start Vantrel as administrator: right-click Vantrel.exe and choose \"Run as "
            "administrator\".\n\n"
            "Could not switch \"Updater\" (All users) off at log-on: only an administrator may change "
            "entries for all users.\n"
            "Could not switch \"Helper\" (All users (32-bit)) off at log-on: only an administrator may "
            "change entries for all users.\n"
            "Could not switch \"Gone App\" (This user) off at log-on: it is no longer there.");
  // However many, the box fits the screen: 15 lines, then a count of the others.
  for (int i = 3; i < 300; ++i) {
    refusals.Refused("App", "This user", kReasonGone);
  }
  const std::string text = refusals.Text();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 + 15);
  EXPECT_EQ(text.substr(text.rfind('\n')), "\nand 285 more");
  // Nor does the longest name a value may have: it is cut, after a whole character.
  TRefusals named(EntryAction::Delete);
  named.Refused(std::string(119, 'a') + "\xCE\xB1" + std::string(16263, 'b'), "This user", kReasonGone);
  EXPECT_EQ(named.Text(), "Could not delete \"" + std::string(119, 'a') +
                              "\xCE\xB1\xE2\x80\xA6\" (This user): it is no longer there.");
}

TEST(Refusals, AUsersOwnKeyThatRefusesNeedsNoAdministrator) {
  TRefusals refusals(EntryAction::TurnOff);
  refusals.NoRights("Tool", "This user", false);
  EXPECT_EQ(refusals.Text(),
            "Could not turn off \"Tool\" (This user): Windows does not let this user change it.");
  EXPECT_TRUE(ForAllUsers("All users (folder)"));
  EXPECT_FALSE(ForAllUsers("This user (folder)"));
}

}  // namespace
}  // namespace vantrel
