#include "startup/publisher_column.h"

#include <algorithm>
#include <set>

#include "startup/run_key.h"
#include "startup/startup_entries.h"
#include "startup/startup_folders.h"

namespace vantrel {

namespace {

// Short enough that the cells fill as the answers come, long enough that a tick is nothing to the window.
constexpr std::uint32_t kTakeInterval = 20;

std::string cell(const TListView& list, const TListRow& row, const char* caption) {
  const int subItem = SubItemOf(list, caption);
  return subItem >= 0 && static_cast<std::size_t>(subItem) < row.SubItems.size() ? row.SubItems[subItem]
                                                                                 : std::string();
}

}  // namespace

int SubItemOf(const TListView& list, const std::string& column) {
  const std::vector<TListColumn>& columns = list.Columns();
  for (std::size_t i = 1; i < columns.size(); ++i) {
    if (columns[i].Caption == column) {
      return static_cast<int>(i) - 1;
    }
  }
  return -1;
}

bool GreyedCell(const TListView& list, const TListRow& row, int column) {
  const std::string publisher = cell(list, row, kPublisherColumn);
  // A disabled task also where the list has no Status column (before Windows 8).
  return cell(list, row, kStatusColumn) == kDisabled || row.Tag == kDisabledTaskRow ||
         (column == SubItemOf(list, kPublisherColumn) + 1 &&
          (publisher == kFileNotFound || publisher == kNotChecked || publisher == kNotCheckedNetwork));
}

TPublisherColumn::TPublisherColumn(TComponent* owner, ProgramSearch search, platform::Signatures* signatures,
                                   std::unique_ptr<platform::Worker> worker, TListView& live,
                                   TListView& backup)
    : TComponent(owner),
      search_(search),
      signatures_(signatures),
      worker_(std::move(worker)),
      live_(live),
      backup_(backup),
      timer_(new TTimer(this)) {
  // The worker keeps its own answers; none is shared with another search.
  search_.Looks = nullptr;
  timer_->SetEnabled(false);
  timer_->SetInterval(kTakeInterval);
  timer_->SetOnTimer([this](TObject*) { Take(); });
}

TPublisherColumn::~TPublisherColumn() {
  if (running_) {
    running_->cancelled.store(true);
  }
  worker_->Join();
}

std::string TPublisherColumn::identityOf(const TListView& list, const TListRow& row) {
  return cell(list, row, kLocationColumn) + '\n' + cell(list, row, "Scope") + '\n' + row.Key;
}

std::optional<ProgramSought> TPublisherColumn::soughtOf(const TListView& list, const TListRow& row) const {
  const std::string scope = cell(list, row, "Scope");
  for (const FolderScope& folderScope : FolderScopes()) {
    if (LocationOf(row) == kFolderLocation && folderScope.Name == scope) {
      // Asked of the shell once per check, not once per row.
      auto known = folderPlaces_.find(scope);
      if (known == folderPlaces_.end()) {
        known = folderPlaces_.emplace(scope, PlacesOf(search_.FileSystem, folderScope)).first;
      }
      const std::string& place = &list == &live_ ? known->second.Live : known->second.Backup;
      if (place.empty()) {
        return std::nullopt;
      }
      return ProgramSought{place + "\\" + row.Key, true, true};
    }
  }
  const int program = SubItemOf(list, "Program");
  if (program < 0 || static_cast<std::size_t>(program) >= row.SubItems.size()) {
    return std::nullopt;
  }
  return ProgramSought{row.Value, false, scope != kPrograms32Scope};
}

void TPublisherColumn::Check(bool afresh) {
  if (running_) {
    running_->cancelled.store(true);
    running_->dropped = running_->dropped || afresh;
  }
  if (afresh) {
    known_.clear();
    // The lists were filled anew, with the rows that were kept aside.
    const bool hadHidden = !hidden_.empty();
    hidden_.clear();
    if (hadHidden && OnHiddenChange) {
      OnHiddenChange();
    }
  }
  pending_.clear();
  wanted_.clear();
  removed_.clear();
  folderPlaces_.clear();
  next_ = 0;
  std::set<std::string> asked;
  for (TListView* list : {&live_, &backup_}) {
    for (int i = 0; i < list->RowCount(); ++i) {
      const TListRow& row = list->Rows()[i];
      const std::optional<ProgramSought> sought = soughtOf(*list, row);
      const std::string key = sought ? sought->Key() : std::string();
      if (sought && known_.find(key) == known_.end() && asked.insert(key).second) {
        wanted_.emplace_back(key, *sought);
      }
      pending_.push_back({list, identityOf(*list, row), key, i});
    }
  }
  writeKnown();
  startWanted();
  timer_->SetEnabled(running_ || next_ < pending_.size());
}

void TPublisherColumn::startWanted() {
  if (running_ || wanted_.empty()) {
    return;
  }
  // The last job's thread has ended (its end was seen): done with.
  worker_->Join();
  running_ = std::make_shared<Job>();
  for (const auto& [key, sought] : wanted_) {
    running_->keys.push_back(key);
  }
  worker_->Start(
      [job = running_, search = search_, signatures = signatures_, soughts = std::exchange(wanted_, {})] {
        // Nothing may leave a thread: a lookup that fails says "Not checked".
        try {
          PublisherLookup lookup(search, signatures);
          for (const auto& [key, sought] : soughts) {
            if (job->cancelled.load()) {
              break;
            }
            PublisherAnswer answer{{ProgramFile::State::NotChecked, {}, {}}, kNotChecked, false};
            try {
              answer = lookup(sought);
            } catch (...) {
            }
            const std::lock_guard<std::mutex> guard(job->lock);
            job->answers.emplace_back(key, std::move(answer));
          }
        } catch (...) {
        }
        job->ended.store(true, std::memory_order_release);
      });
}

void TPublisherColumn::Take() {
  if (running_) {
    const bool ended = running_->ended.load(std::memory_order_acquire);
    std::vector<std::pair<std::string, PublisherAnswer>> answers;
    {
      const std::lock_guard<std::mutex> guard(running_->lock);
      answers.swap(running_->answers);
    }
    if (!running_->dropped) {
      for (auto& [key, answer] : answers) {
        known_.insert_or_assign(key, std::move(answer));
      }
    }
    if (ended) {
      worker_->Join();
      if (!running_->cancelled.load() && !running_->dropped) {
        // A job that ended without answering a key (its lookups could not start) answers it so.
        for (const std::string& key : running_->keys) {
          known_.emplace(key, PublisherAnswer{{ProgramFile::State::NotChecked, {}, {}}, kNotChecked, false});
        }
      }
      running_.reset();
    }
  }
  startWanted();
  writeKnown();
  timer_->SetEnabled(running_ || next_ < pending_.size());
}

int TPublisherColumn::find(const Pending& row) const {
  const TListView& list = *row.list;
  const auto same = [&](int i) {
    return i >= 0 && i < list.RowCount() && identityOf(list, list.Rows()[i]) == row.identity;
  };
  const auto removed = removed_.find(row.list);
  const int shifted = removed == removed_.end() ? row.hint : row.hint - removed->second;
  if (same(row.hint)) {
    return row.hint;
  }
  if (same(shifted)) {
    return shifted;
  }
  // The list changed since: the row moved, or went.
  for (int i = 0; i < list.RowCount(); ++i) {
    if (same(i)) {
      return i;
    }
  }
  return -1;
}

void TPublisherColumn::writeKnown() {
  static const PublisherAnswer none;
  const std::size_t hidden = hidden_.size();
  for (; next_ < pending_.size(); ++next_) {
    const Pending& row = pending_[next_];
    const auto found = row.key.empty() ? known_.end() : known_.find(row.key);
    if (!row.key.empty() && found == known_.end()) {
      break;  // the worker has not answered it yet
    }
    const PublisherAnswer& answer = row.key.empty() ? none : found->second;
    const int at = find(row);
    if (at < 0) {
      continue;
    }
    TListView& list = *row.list;
    const int column = SubItemOf(list, kPublisherColumn);
    if (column >= 0 && static_cast<std::size_t>(column) < list.Rows()[at].SubItems.size() &&
        list.Rows()[at].SubItems[column] != answer.Text) {
      list.SetSubItem(at, column, answer.Text);
    }
    if (hideWindows_ && answer.Windows) {
      hide(list, at, row.identity);
    }
  }
  if (hidden_.size() != hidden && OnHiddenChange) {
    OnHiddenChange();
  }
}

void TPublisherColumn::hide(TListView& list, int at, const std::string& identity) {
  TListRow row = list.Rows()[at];
  // Not chosen for an action when it shows again.
  row.Selected = false;
  // A row listed again while it was aside (a folder read anew) is kept aside once.
  hidden_.erase(
      std::remove_if(hidden_.begin(), hidden_.end(),
                     [&](const Hidden& kept) { return kept.list == &list && kept.identity == identity; }),
      hidden_.end());
  hidden_.push_back({&list, identity, std::move(row)});
  list.DeleteRow(at);
  ++removed_[&list];
}

void TPublisherColumn::HideWindowsRows(bool hide) {
  hideWindows_ = hide;
  const std::size_t hidden = hidden_.size();
  if (hide) {
    for (TListView* list : {&live_, &backup_}) {
      for (int i = list->RowCount() - 1; i >= 0; --i) {
        const std::optional<ProgramSought> sought = soughtOf(*list, list->Rows()[i]);
        const auto found = sought ? known_.find(sought->Key()) : known_.end();
        if (found != known_.end() && found->second.Windows) {
          this->hide(*list, i, identityOf(*list, list->Rows()[i]));
        }
      }
    }
  } else {
    for (TListView* list : {&live_, &backup_}) {
      const TListViewUpdate update(*list);
      for (const Hidden& kept : hidden_) {
        if (kept.list != list) {
          continue;
        }
        const auto& rows = list->Rows();
        if (std::none_of(rows.begin(), rows.end(),
                         [&](const TListRow& row) { return identityOf(*list, row) == kept.identity; })) {
          list->AddRow(kept.row);
        }
      }
    }
    hidden_.clear();
  }
  if (hidden_.size() != hidden && OnHiddenChange) {
    OnHiddenChange();
  }
}

ProgramFile TPublisherColumn::FileOf(const TListView& list, const TListRow& row) const {
  const std::optional<ProgramSought> sought = soughtOf(list, row);
  const auto found = sought ? known_.find(sought->Key()) : known_.end();
  return found == known_.end() ? ProgramFile() : found->second.File;
}

}  // namespace vantrel
