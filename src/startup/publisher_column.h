// The Publisher column of the startup manager's two lists: for each row, who made the program that Windows
// would start for it, or "File not found". The rows show first; their files are looked at afterwards, a few
// rows at each tick of a timer, so that a page of thousands of rows shows at once and answers the user while
// the files are read.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "framework/comctrls.h"
#include "framework/component.h"
#include "framework/timer.h"
#include "startup/program_file.h"

namespace vantrel {

constexpr char kPublisherColumn[] = "Publisher";
constexpr char kFileNotFound[] = "File not found";
constexpr char kNotChecked[] = "Not checked";

// The sub-item of a list's column of that caption; -1 where the list has none.
int SubItemOf(const TListView& list, const std::string& column);

// Whether a cell of the startup manager's lists is drawn in grey: every cell of an entry that Windows does
// not start (its Status "Disabled", or a disabled task), and the Publisher cell of a program file that is not
// there or was not looked at.
bool GreyedCell(const TListView& list, const TListRow& row, int column);

class TPublisherColumn : public TComponent {
 public:
  // `live` and `backup` are the two lists; the column is the one captioned kPublisherColumn.
  TPublisherColumn(TComponent* owner, ProgramSearch search, TListView& live, TListView& backup);

  // Looks at the files of every row of both lists anew, from the next tick on; what was learnt is kept
  // unless `afresh`, so that rows that moved between the lists show their publisher again at once.
  void Check(bool afresh);
  // One tick: the next rows' files, at most kRowsPerTick of them, asking the system at most kAsksPerTick
  // times and taking at most kMaxLooks looks (a search cut short goes on at the next tick); the timer stops
  // after the last row.
  void Tick();
  // The program file of a row (none for a row whose file is not known), as Check finds it.
  ProgramFile FileOf(const TListView& list, const TListRow& row);
  bool Checking() const { return timer_->Enabled(); }

  static constexpr int kRowsPerTick = 50;
  // Each answer may take a network's time-out on a share, and a millisecond on a busy disk.
  static constexpr int kAsksPerTick = 8;

 private:
  struct Pending {
    TListView* list;
    std::string scope;
    std::string key;
    int hint;  // where the row was when the check began
  };
  // The program file of a row as far as the budget of `looks_` allows (State::Pending beyond).
  ProgramFile lookUp(const TListView& list, const TListRow& row);
  // The publisher's text for a program file; none where the budget is spent before it is read.
  std::optional<std::string> textOf(const ProgramFile& file);

  ProgramSearch search_;
  TListView& live_;
  TListView& backup_;
  TTimer* timer_;
  std::vector<Pending> pending_;
  std::size_t next_ = 0;
  // What the searches asked the system since the page was shown, and the budget of this tick.
  ProgramLooks looks_;
  // What the files said: the program file of what was looked for, and the publisher's text of a file.
  std::map<std::string, ProgramFile> files_;
  std::map<std::string, std::string> publishers_;
};

}  // namespace vantrel
