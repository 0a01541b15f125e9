#include "startup/startup_rows.h"

#include "startup/visible_text.h"

namespace vantrel {

namespace {

constexpr std::size_t kLocationItem = 0;
constexpr std::size_t kScopeItem = 1;

const std::string& subItem(const TListRow& row, std::size_t item) {
  static const std::string none;
  return item < row.SubItems.size() ? row.SubItems[item] : none;
}

}  // namespace

TListRow EntryRow(const std::string& name, const std::string& location, const std::string& scope,
                  const std::optional<std::string>& status, const std::optional<std::string>& program) {
  TListRow row;
  row.Caption = VisibleText(name);
  row.SubItems.push_back(location);
  row.SubItems.push_back(scope);
  if (status) {
    row.SubItems.push_back(*status);
  }
  // The publisher, which the page looks up once the rows show.
  row.SubItems.emplace_back();
  if (program) {
    row.SubItems.push_back(VisibleText(*program));
    row.Value = *program;
  }
  row.ImageIndex = 0;
  return row;
}

bool IsTaskRow(const TListRow& row) {
  return LocationOf(row) == kTaskLocation;
}

const std::string& LocationOf(const TListRow& row) {
  return subItem(row, kLocationItem);
}

const std::string& ScopeOf(const TListRow& row) {
  return subItem(row, kScopeItem);
}

std::vector<int> SelectedRows(const TListView& list, const std::string& location, const std::string& scope) {
  std::vector<int> rows;
  for (int i = 0; i < list.RowCount(); ++i) {
    const TListRow& row = list.Rows()[i];
    if (row.Selected && LocationOf(row) == location && ScopeOf(row) == scope) {
      rows.push_back(i);
    }
  }
  return rows;
}

std::string PlaceText(const std::string& location, const std::string& scope) {
  // The Run keys are where most entries are, as they were before there were other places; a Startup folder's
  // scope names the folder already.
  return location == kRunLocation || location == kFolderLocation ? scope : location + ", " + scope;
}

}  // namespace vantrel
