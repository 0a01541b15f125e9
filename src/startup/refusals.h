// What the startup manager tells the user of an action that could not be done for some of its entries: one
// box per action: where the reason is missing rights, what to do about it first, then a line per entry naming
// what the user asked, the entry and why.
#pragma once

#include <string>
#include <vector>

namespace vantrel {

// What the user asked of the selected entries.
enum class EntryAction { TurnOff, Restore, Delete, SwitchOn, SwitchOff, Add };

// Reasons in plain words, for the lines below.
constexpr char kReasonGone[] = "it is no longer there";
constexpr char kReasonAccessDenied[] = "Windows does not let this user change it";
constexpr char kAdministratorsOnly[] = "only an administrator may change entries for all users";
constexpr char kPolicyAdministratorsOnly[] = "only an administrator may change entries set by policy";
constexpr char kStartAsAdministrator[] =
    "To change them, start Vantrel as administrator: right-click Vantrel.exe and choose \"Run as "
    "administrator\".";

class TRefusals {
 public:
  explicit TRefusals(EntryAction action) : action_(action) {}

  // This user may not change the entries of a place (`scope`, as PlaceText names it); the lines say why, and
  // the box what to do, where the place is all users'.
  void NoRights(const std::string& entry, const std::string& scope, bool forAllUsers);
  // Any other reason, in plain words and without a full stop ("it is no longer there"); with
  // `administratorCould`, the box says what to do as for NoRights.
  void Refused(const std::string& entry, const std::string& scope, const std::string& reason,
               bool administratorCould = false);

  bool Empty() const { return lines_.empty(); }
  // The box's text: kStartAsAdministrator and a blank line where an administrator could have done it, then
  // `Could not turn off "Name" (All users): only an administrator may ...`, a line per entry for the first
  // 15, and "and N more" for the others.
  std::string Text() const;

 private:
  EntryAction action_;
  std::vector<std::string> lines_;
  bool administrator_ = false;
};

// Whether a scope's entries are those of every user of the machine (its name says so).
bool ForAllUsers(const std::string& scope);

}  // namespace vantrel
