// The Publisher column of the startup manager's two lists: for each row, who signed or made the program that
// Windows would start for it, or "File not found". The rows show first; their programs are looked up on a
// worker, which hands its answers back as it goes, and the window thread puts them into the cells, so that a
// page of thousands of rows shows at once and answers the user while the files are read. Rows of programs
// that Windows signed as its own may be kept out of the lists.
#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "framework/comctrls.h"
#include "framework/component.h"
#include "framework/timer.h"
#include "platform/signatures.h"
#include "platform/worker.h"
#include "startup/program_file.h"
#include "startup/publisher_lookup.h"
#include "startup/startup_folders.h"
#include "startup/startup_rows.h"

namespace vantrel {

constexpr char kPublisherColumn[] = "Publisher";

// The sub-item of a list's column of that caption; -1 where the list has none.
int SubItemOf(const TListView& list, const std::string& column);

// Whether a cell of the startup manager's lists is drawn in grey: every cell of an entry that Windows does
// not start (its Status "Disabled", or a disabled task), and the Publisher cell of a program file that is not
// there or was not looked at.
bool GreyedCell(const TListView& list, const TListRow& row, int column);

class TPublisherColumn : public TComponent {
 public:
  // `live` and `backup` are the two lists; the column is the one captioned kPublisherColumn. The lookups run
  // on `worker`, with `search`'s services and `signatures` (none: no signature is checked), which outlive
  // this column.
  TPublisherColumn(TComponent* owner, ProgramSearch search, platform::Signatures* signatures,
                   std::unique_ptr<platform::Worker> worker, TListView& live, TListView& backup);
  // Stops the lookups and waits for the worker: it reads nothing of this column after.
  ~TPublisherColumn() override;

  // Fills the cells of every row of both lists: at once from what was learnt (unless `afresh`: the lists
  // were filled anew, and programs may have come or gone), the rest as the worker answers.
  void Check(bool afresh);
  // Puts the worker's answers so far into the cells; from a timer while lookups go.
  void Take();
  // The program file of a row, as the worker found it; none (Unknown) until then.
  ProgramFile FileOf(const TListView& list, const TListRow& row) const;
  bool Checking() const { return timer_->Enabled(); }

  // Keeps the rows of Windows' own programs out of the lists (aside, not deleted), or shows them again.
  void HideWindowsRows(bool hide);
  int HiddenCount() const { return static_cast<int>(hidden_.size()); }
  // Runs when rows were hidden or shown again.
  std::function<void()> OnHiddenChange;

 private:
  // One run of the worker: its answers, handed over under `lock`.
  struct Job {
    std::mutex lock;
    std::vector<std::pair<std::string, PublisherAnswer>> answers;
    std::atomic<bool> cancelled{false};
    std::atomic<bool> ended{false};
    // Window thread only: the keys it was given, and whether its answers came before the lists were filled
    // anew, so that none is kept.
    std::vector<std::string> keys;
    bool dropped = false;
  };
  struct Pending {
    TListView* list;
    std::string identity;
    std::string key;  // ProgramSought::Key
    int hint;         // where the row was when the check began
  };
  struct Hidden {
    TListView* list;
    std::string identity;
    TListRow row;
  };

  // What a row asks the worker for; none where it names nothing to look up.
  std::optional<ProgramSought> soughtOf(const TListView& list, const TListRow& row) const;
  // The row's list, location, scope and key: what an answer is matched by.
  static std::string identityOf(const TListView& list, const TListRow& row);
  int find(const Pending& row) const;
  // Starts the lookups still wanted, once the worker is free.
  void startWanted();
  // Writes the known answers into the rows that wait for them, in order, and hides Windows' own.
  void writeKnown();
  void hide(TListView& list, int at, const std::string& identity);

  ProgramSearch search_;
  // The Startup folders' places by scope, as the shell named them at the last check.
  mutable std::map<std::string, FolderPlaces> folderPlaces_;
  platform::Signatures* signatures_;
  std::unique_ptr<platform::Worker> worker_;
  TListView& live_;
  TListView& backup_;
  TTimer* timer_;
  std::shared_ptr<Job> running_;
  std::vector<std::pair<std::string, ProgramSought>> wanted_;
  std::vector<Pending> pending_;
  std::size_t next_ = 0;
  // Rows hidden from each list since the check began, by which its later rows moved up.
  std::map<const TListView*, int> removed_;
  // What the worker answered, by ProgramSought::Key.
  std::map<std::string, PublisherAnswer> known_;
  bool hideWindows_ = false;
  std::vector<Hidden> hidden_;
};

}  // namespace vantrel
