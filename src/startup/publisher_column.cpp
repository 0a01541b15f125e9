#include "startup/publisher_column.h"

#include "platform/unicode.h"
#include "startup/run_key.h"
#include "startup/startup_entries.h"
#include "startup/startup_folders.h"
#include "startup/startup_rows.h"
#include "startup/visible_text.h"

namespace vantrel {

namespace {

// Short enough that the page answers between two ticks, long enough that Windows' coarsest timer still
// looks at thousands of rows within a few seconds.
constexpr std::uint32_t kTickInterval = 10;

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
  const auto textOf = [&](int subItem) {
    return subItem >= 0 && static_cast<std::size_t>(subItem) < row.SubItems.size() ? row.SubItems[subItem]
                                                                                   : std::string();
  };
  const int publisher = SubItemOf(list, kPublisherColumn);
  // A disabled task also where the list has no Status column (before Windows 8).
  return textOf(SubItemOf(list, kStatusColumn)) == kDisabled || row.Tag == kDisabledTaskRow ||
         (column == publisher + 1 &&
          (textOf(publisher) == kFileNotFound || textOf(publisher) == kNotChecked));
}

TPublisherColumn::TPublisherColumn(TComponent* owner, ProgramSearch search, TListView& live,
                                   TListView& backup)
    : TComponent(owner), search_(search), live_(live), backup_(backup), timer_(new TTimer(this)) {
  timer_->SetEnabled(false);
  timer_->SetInterval(kTickInterval);
  timer_->SetOnTimer([this](TObject*) { Tick(); });
}

void TPublisherColumn::Check(bool afresh) {
  if (afresh) {
    files_.clear();
    publishers_.clear();
    looks_ = ProgramLooks();
  }
  pending_.clear();
  next_ = 0;
  for (TListView* list : {&live_, &backup_}) {
    for (int i = 0; i < list->RowCount(); ++i) {
      pending_.push_back({list, ScopeOf(list->Rows()[i]), list->Rows()[i].Key, i});
    }
  }
  timer_->SetEnabled(!pending_.empty());
}

void TPublisherColumn::Tick() {
  looks_.Asks = kAsksPerTick;
  looks_.Looks = kMaxLooks;
  for (int done = 0; done < kRowsPerTick && looks_.Asks > 0 && looks_.Looks > 0 && next_ < pending_.size();
       ++done, ++next_) {
    const Pending& row = pending_[next_];
    TListView& list = *row.list;
    const auto same = [&](int i) {
      return i >= 0 && i < list.RowCount() && list.Rows()[i].Key == row.key &&
             ScopeOf(list.Rows()[i]) == row.scope;
    };
    int at = row.hint;
    if (!same(at)) {
      // The list changed since: the row moved, or went.
      for (at = 0; at < list.RowCount() && !same(at); ++at) {
      }
      if (at == list.RowCount()) {
        continue;
      }
    }
    const int column = SubItemOf(list, kPublisherColumn);
    const std::optional<std::string> shown = textOf(lookUp(list, list.Rows()[at]));
    if (!shown) {
      break;  // the next tick goes on with this row
    }
    const std::string& text = *shown;
    if (column >= 0 && static_cast<std::size_t>(column) < list.Rows()[at].SubItems.size() &&
        list.Rows()[at].SubItems[column] != text) {
      list.SetSubItem(at, column, text);
    }
  }
  if (next_ >= pending_.size()) {
    timer_->SetEnabled(false);
  }
}

ProgramFile TPublisherColumn::FileOf(const TListView& list, const TListRow& row) {
  // One row, asked for by the user: more answers than its search takes.
  looks_.Asks = 2 * kMaxLooks;
  looks_.Looks = 2 * kMaxLooks;
  return lookUp(list, row);
}

ProgramFile TPublisherColumn::lookUp(const TListView& list, const TListRow& row) {
  const std::string& scope = ScopeOf(row);
  std::string sought;
  bool folder = false;
  for (const FolderScope& folderScope : FolderScopes()) {
    if (folderScope.Name == scope && !IsTaskRow(row)) {
      const FolderPlaces places = PlacesOf(search_.FileSystem, folderScope);
      const std::string& place = &list == &live_ ? places.Live : places.Backup;
      if (place.empty()) {
        return {};
      }
      sought = place + "\\" + row.Key;
      folder = true;
    }
  }
  if (!folder) {
    const int program = SubItemOf(list, "Program");
    if (program < 0 || static_cast<std::size_t>(program) >= row.SubItems.size()) {
      return {};
    }
    sought = row.Value;
  }
  const bool native = scope != kPrograms32Scope;
  const std::string key = (folder ? "file\n" : native ? "64\n" : "32\n") + sought;
  const auto found = files_.find(key);
  if (found != files_.end()) {
    return found->second;
  }
  ProgramSearch search = search_;
  search.Looks = &looks_;
  const ProgramFile file =
      folder ? FindFolderProgram(search, sought) : FindProgramFile(search, sought, native);
  if (file.Is != ProgramFile::State::Pending) {
    files_.emplace(key, file);
  }
  return file;
}

std::optional<std::string> TPublisherColumn::textOf(const ProgramFile& file) {
  if (file.Is == ProgramFile::State::Pending) {
    return std::nullopt;
  }
  if (file.Is == ProgramFile::State::Missing) {
    return kFileNotFound;
  }
  if (file.Is == ProgramFile::State::NotChecked) {
    return kNotChecked;
  }
  if (file.Is == ProgramFile::State::Unknown) {
    return "";
  }
  const auto named = publishers_.find(file.Access);
  if (named != publishers_.end()) {
    return named->second;
  }
  if (!looks_.take(true)) {
    return std::nullopt;
  }
  std::u16string company;
  const std::string text =
      search_.FileSystem.GetFileVersionInfoW_CompanyName(Utf8ToUtf16(file.Access), &company)
          ? VisibleText(Utf16ToUtf8(company))
          : std::string();
  publishers_.emplace(file.Access, text);
  return text;
}

}  // namespace vantrel
