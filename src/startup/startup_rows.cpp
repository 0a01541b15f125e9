#include "startup/startup_rows.h"

#include "startup/visible_text.h"

namespace vantrel {

TListRow EntryRow(const std::string& name, const std::string& scope, const std::optional<std::string>& status,
                  const std::optional<std::string>& program) {
  TListRow row;
  row.Caption = VisibleText(name);
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
  return row.Tag == kEnabledTaskRow || row.Tag == kDisabledTaskRow;
}

const std::string& ScopeOf(const TListRow& row) {
  static const std::string none;
  return row.SubItems.empty() ? none : row.SubItems.front();
}

std::vector<int> SelectedRows(const TListView& list, const std::string& scope) {
  std::vector<int> rows;
  for (int i = 0; i < list.RowCount(); ++i) {
    if (list.Rows()[i].Selected && ScopeOf(list.Rows()[i]) == scope && !IsTaskRow(list.Rows()[i])) {
      rows.push_back(i);
    }
  }
  return rows;
}

}  // namespace vantrel
