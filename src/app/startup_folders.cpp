#include "app/startup_folders.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>
#include <set>

#include "app/startup_rows.h"
#include "framework/sysutils.h"
#include "framework/unicode.h"

namespace vantrel {

namespace {

// What SHFileOperationW answers when Windows refuses that this user delete the file.
constexpr long kDeAccessDeniedSource = 0x78;

bool endsWithNoCase(const std::string& text, const std::string& end) {
  return text.size() >= end.size() &&
         std::equal(end.begin(), end.end(), text.end() - static_cast<std::ptrdiff_t>(end.size()),
                    [](unsigned char a, unsigned char b) { return std::tolower(a) == std::tolower(b); });
}

bool isShortcut(const std::string& name) {
  return name.size() > 4 && endsWithNoCase(name, ".lnk");
}

std::u16string pathOf(const std::string& folder, const std::string& name) {
  return Utf8ToUtf16(folder + "\\" + name);
}

// The Program column: a shortcut's target and arguments (none where it cannot be read), any other file's
// own path.
std::optional<std::string> programOf(platform::FileSystem& fileSystem, const std::string& folder,
                                     const std::string& name) {
  if (!isShortcut(name)) {
    return folder + "\\" + name;
  }
  std::u16string target;
  std::u16string arguments;
  if (!fileSystem.IShellLinkW_GetPath(pathOf(folder, name), &target, &arguments)) {
    return std::nullopt;
  }
  return Utf16ToUtf8(arguments.empty() ? target : target + u" " + arguments);
}

TListRow fileRow(platform::FileSystem& fileSystem, const FolderScope& scope, const std::string& folder,
                 const std::string& name, const std::optional<std::string>& status) {
  TListRow row = EntryRow(isShortcut(name) ? name.substr(0, name.size() - 4) : name, scope.Name, status,
                          programOf(fileSystem, folder, name));
  row.Key = name;
  return row;
}

// Replaces the scope's rows of `list` with the files of `folder`; one that cannot be listed leaves them.
void fillList(platform::FileSystem& fileSystem, const FolderScope& scope, const std::string& folder,
              const StatusColumn* status, TListView& list) {
  std::vector<platform::FindData> found;
  const long error =
      folder.empty() ? platform::kErrorPathNotFound : fileSystem.FindFirstFileW(Utf8ToUtf16(folder), &found);
  // A folder that is not there holds nothing.
  if (error != platform::kErrorSuccess && error != platform::kErrorPathNotFound &&
      error != platform::kErrorFileNotFound) {
    return;
  }
  for (int i = list.RowCount() - 1; i >= 0; --i) {
    if (ScopeOf(list.Rows()[i]) == scope.Name) {
      list.DeleteRow(i);
    }
  }
  std::vector<std::string> names;
  for (const platform::FindData& entry : found) {
    const std::string name = Utf16ToUtf8(entry.cFileName);
    // The folder's own look, which Windows does not run.
    if ((entry.dwFileAttributes & platform::kFileAttributeDirectory) == 0 &&
        !(name.size() == 11 && endsWithNoCase(name, "desktop.ini"))) {
      names.push_back(name);
    }
  }
  const std::vector<std::string> texts =
      status ? status->Texts(scope.Name, names) : std::vector<std::string>();
  for (std::size_t i = 0; i < names.size(); ++i) {
    list.AddRow(
        fileRow(fileSystem, scope, folder, names[i], status ? std::optional(texts[i]) : std::nullopt));
  }
}

bool exists(platform::FileSystem& fileSystem, const std::u16string& path) {
  bool missing = false;
  return fileSystem.GetFileAttributesW(path, &missing) != platform::kInvalidFileAttributes;
}

bool isFolder(platform::FileSystem& fileSystem, const std::string& path) {
  bool missing = false;
  const std::uint32_t attributes = fileSystem.GetFileAttributesW(Utf8ToUtf16(path), &missing);
  return attributes != platform::kInvalidFileAttributes &&
         (attributes & platform::kFileAttributeDirectory) != 0;
}

// What one action tells the user: a scope's refusal once, and each file's own trouble.
class Report {
 public:
  void refused(const FolderScope& scope) {
    if (refusedScopes_.insert(scope.Name).second) {
      lines_.push_back("Windows does not let this user change the files of \"" + scope.Name + "\".");
    }
  }
  void add(const std::string& line) { lines_.push_back(line); }
  // A call that failed: a refusal, a name already taken, or another error.
  void failed(const FolderScope& scope, const std::string& folder, const std::string& name, long error,
              const std::string& what) {
    if (error == platform::kErrorAccessDenied || error == kDeAccessDeniedSource) {
      refused(scope);
    } else if (error == platform::kErrorAlreadyExists || error == platform::kErrorFileExists) {
      taken(name, folder);
    } else {
      add("\"" + name + "\" could not be " + what + " (error " + IntToStr(error) + ").");
    }
  }
  void taken(const std::string& name, const std::string& folder) {
    add("\"" + name + "\" was not moved: " + folder + " holds a file of that name already.");
  }
  std::vector<std::string> lines() const { return lines_; }

 private:
  std::set<std::string> refusedScopes_;
  std::vector<std::string> lines_;
};

// Where the file is after a move: still in its folder only, in the target only, or in both.
enum class Moved { No, Yes, Both };

// Across volumes: copied, then the original deleted; where it cannot be, the copy goes again, so that the
// file is in one folder only, or else stays in both.
Moved copyThenDelete(platform::FileSystem& fileSystem, const FolderScope& scope, const std::string& name,
                     const std::string& from, const std::string& to, Report& report) {
  const long copied = fileSystem.CopyFileW(pathOf(from, name), pathOf(to, name));
  if (copied != platform::kErrorSuccess) {
    report.failed(scope, to, name, copied, "copied to " + to);
    return Moved::No;
  }
  const long deleted = fileSystem.DeleteFileW(pathOf(from, name));
  if (deleted == platform::kErrorSuccess) {
    return Moved::Yes;
  }
  if (fileSystem.DeleteFileW(pathOf(to, name)) != platform::kErrorSuccess) {
    report.add("\"" + name + "\" is now in both " + from + " and " + to + ": it could not be deleted from " +
               from + " (error " + IntToStr(deleted) + ").");
    return Moved::Both;
  }
  report.failed(scope, from, name, deleted, "deleted from " + from);
  return Moved::No;
}

Moved moveFile(platform::FileSystem& fileSystem, const FolderScope& scope, const std::string& name,
               const std::string& from, const std::string& to, Report& report) {
  // Checked first for a clear message; the calls below never replace a file either.
  if (exists(fileSystem, pathOf(to, name))) {
    report.taken(name, to);
    return Moved::No;
  }
  const long moved = fileSystem.MoveFileExW(pathOf(from, name), pathOf(to, name));
  if (moved == platform::kErrorNotSameDevice) {
    return copyThenDelete(fileSystem, scope, name, from, to, report);
  }
  if (moved != platform::kErrorSuccess) {
    report.failed(scope, to, name, moved, "moved to " + to);
    return Moved::No;
  }
  return Moved::Yes;
}

// The backup folder, made where it is missing; false when it cannot be.
bool ensureFolder(platform::FileSystem& fileSystem, const std::string& folder) {
  if (isFolder(fileSystem, folder)) {
    return true;
  }
  fileSystem.CreateDirectoryW(Utf8ToUtf16(folder.substr(0, folder.rfind('\\'))));
  fileSystem.CreateDirectoryW(Utf8ToUtf16(folder));
  return isFolder(fileSystem, folder);
}

void deleteRows(TListView& list, std::vector<int> rows) {
  TListViewUpdate update(list);
  std::sort(rows.begin(), rows.end());
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
    list.DeleteRow(*row);
  }
}

}  // namespace

std::vector<FolderScope> FolderScopes() {
  return {{"This user (folder)", platform::kCsidlStartup, platform::kCsidlAppData},
          {"All users (folder)", platform::kCsidlCommonStartup, platform::kCsidlCommonAppData}};
}

FolderPlaces PlacesOf(platform::FileSystem& fileSystem, const FolderScope& scope) {
  const std::string live = Utf16ToUtf8(fileSystem.SHGetFolderPathW(scope.Folder));
  const std::string parent = Utf16ToUtf8(fileSystem.SHGetFolderPathW(scope.BackupParent));
  return {live, parent.empty() ? std::string() : parent + "\\Vantrel\\Startup-"};
}

void FillFolderLists(platform::FileSystem& fileSystem, const std::vector<FolderScope>& scopes,
                     const StatusColumn* status, TListView& liveList, TListView& backupList) {
  TListViewUpdate liveUpdate(liveList);
  TListViewUpdate backupUpdate(backupList);
  for (const FolderScope& scope : scopes) {
    const FolderPlaces places = PlacesOf(fileSystem, scope);
    fillList(fileSystem, scope, places.Live, status, liveList);
    fillList(fileSystem, scope, places.Backup, nullptr, backupList);
  }
}

std::vector<std::string> MoveSelectedFiles(platform::FileSystem& fileSystem,
                                           const std::vector<FolderScope>& scopes, const StatusColumn* status,
                                           TListView& fromList, bool toBackup, TListView& toList) {
  Report report;
  std::vector<int> movedRows;
  std::vector<TListRow> arrived;  // the rows of the files now in the target, as it shows them
  for (const FolderScope& scope : scopes) {
    const std::vector<int> rows = SelectedRows(fromList, scope.Name);
    if (rows.empty()) {
      continue;
    }
    const FolderPlaces places = PlacesOf(fileSystem, scope);
    const std::string& from = toBackup ? places.Live : places.Backup;
    const std::string& to = toBackup ? places.Backup : places.Live;
    // Made only now, when a file is to go there.
    if (from.empty() || to.empty() || !ensureFolder(fileSystem, to)) {
      report.refused(scope);
      continue;
    }
    for (const int row : rows) {
      const std::string& name = fromList.Rows()[row].Key;
      const Moved moved = moveFile(fileSystem, scope, name, from, to, report);
      if (moved != Moved::No) {
        // Only the live list shows a status; the switch itself stays as it is.
        const std::optional<std::string> shown =
            status && !toBackup ? std::optional(status->Texts(scope.Name, {name}).front()) : std::nullopt;
        arrived.push_back(fileRow(fileSystem, scope, to, name, shown));
      }
      if (moved == Moved::Yes) {
        movedRows.push_back(row);
      }
    }
  }
  TListViewUpdate toUpdate(toList);
  for (const TListRow& row : arrived) {
    toList.AddRow(row);
  }
  deleteRows(fromList, movedRows);
  return report.lines();
}

std::vector<std::string> DeleteSelectedFiles(platform::FileSystem& fileSystem,
                                             const std::vector<FolderScope>& scopes, TListView& list,
                                             bool backup) {
  Report report;
  std::vector<int> deletedRows;
  for (const FolderScope& scope : scopes) {
    const std::vector<int> rows = SelectedRows(list, scope.Name);
    if (rows.empty()) {
      continue;
    }
    const FolderPlaces places = PlacesOf(fileSystem, scope);
    const std::string& folder = backup ? places.Backup : places.Live;
    for (const int row : rows) {
      const std::string& name = list.Rows()[row].Key;
      const long error =
          folder.empty() ? platform::kErrorPathNotFound : fileSystem.SHFileOperationW(pathOf(folder, name));
      if (error == platform::kErrorSuccess) {
        deletedRows.push_back(row);
      } else {
        report.failed(scope, folder, name, error, "sent to the Recycle Bin");
      }
    }
  }
  deleteRows(list, deletedRows);
  return report.lines();
}

}  // namespace vantrel
