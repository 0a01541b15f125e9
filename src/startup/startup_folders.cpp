#include "startup/startup_folders.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

#include "framework/sysutils.h"
#include "platform/unicode.h"
#include "startup/run_key.h"
#include "startup/startup_rows.h"

namespace vantrel {

namespace {

constexpr long kErrorSharingViolation = 32;
// Where a backup folder is made for all users: whether this user may change the files of that scope's
// Startup folder. Made and deleted again as it is closed.
constexpr char kProbe[] = "Vantrel.probe";
constexpr char kReasonNoFolder[] = "Windows does not tell where its folder is";
constexpr char kReasonNoRecycleBin[] =
    "its drive keeps no Recycle Bin, and Vantrel does not delete files for good";
constexpr char kReasonShellKeptIt[] =
    "Windows answered that it went to the Recycle Bin, but it is still there";
constexpr char kReasonNameForTheBin[] = "the Recycle Bin takes no name that ends in a dot or a blank";
// What no one but administrators and the system may do to all users' backup folder or its parent.
constexpr std::uint32_t kChanges = platform::kFileWriteData | platform::kFileAppendData |
                                   platform::kFileDeleteChild | platform::kDelete | platform::kWriteDac |
                                   platform::kWriteOwner;

bool isShortcut(const std::string& name) {
  return name.size() > 4 && EndsText(".lnk", name);
}

std::string plainPath(const std::string& folder, const std::string& name) {
  return folder + "\\" + name;
}

// The path in the form Windows takes literally: Win32 drops the dots and blanks that end a name, and would
// act on "trail" for "trail.". Used for every operation on a file of these folders but the shell's, which
// takes no such path.
std::u16string literal(const std::string& path) {
  return Utf8ToUtf16(path.rfind("\\\\", 0) == 0 ? "\\\\?\\UNC\\" + path.substr(2) : "\\\\?\\" + path);
}

std::u16string literalPath(const std::string& folder, const std::string& name) {
  return literal(plainPath(folder, name));
}

// The Program column: a shortcut's target and arguments (none where it cannot be read), any other file's
// own path.
std::optional<std::string> programOf(platform::FileSystem& fileSystem, const std::string& folder,
                                     const std::string& name) {
  if (!isShortcut(name)) {
    return plainPath(folder, name);
  }
  std::u16string target;
  std::u16string arguments;
  if (!fileSystem.IShellLinkW_GetPath(Utf8ToUtf16(plainPath(folder, name)), &target, &arguments)) {
    return std::nullopt;
  }
  // The stored target as a 64-bit shell starts it, whatever this process is. The system folder needs
  // nothing: only its use is redirected, not its name.
  const std::string program = ExpandForScope(fileSystem, Utf16ToUtf8(target), true);
  return arguments.empty() ? program : program + " " + Utf16ToUtf8(arguments);
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
      folder.empty() ? platform::kErrorPathNotFound : fileSystem.FindFirstFileW(literal(folder), &found);
  // A folder that is not there holds nothing.
  if (error != platform::kErrorSuccess && error != platform::kErrorPathNotFound &&
      error != platform::kErrorFileNotFound) {
    return;
  }
  for (int i = list.RowCount() - 1; i >= 0; --i) {
    if (ScopeOf(list.Rows()[i]) == scope.Name && !IsTaskRow(list.Rows()[i])) {
      list.DeleteRow(i);
    }
  }
  std::vector<std::string> names;
  for (const platform::FindData& entry : found) {
    const std::string name = Utf16ToUtf8(entry.cFileName);
    // The folder's own look, which Windows does not run.
    if ((entry.dwFileAttributes & platform::kFileAttributeDirectory) == 0 &&
        !(name.size() == 11 && EndsText("desktop.ini", name))) {
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

// All users' backup runs at every user's log-on once a file is restored from it: it counts only where no one
// but administrators and the system can have put a file there or swapped the folder. The first of the backup
// folder and its parent that is a link, is owned by someone else than Administrators, SYSTEM or
// TrustedInstaller, or lets anyone else add, delete, rename or re-permission; none where neither does.
std::optional<std::string> untrustedBackup(platform::FileSecurity& security, const std::string& backup) {
  const std::string user = security.GetTokenInformation_User();
  for (const std::string& folder : {backup, backup.substr(0, backup.rfind('\\'))}) {
    if (platform::OthersMayChange(security, literal(folder), user, kChanges)) {
      return folder;
    }
  }
  return std::nullopt;
}

// The backup folder whose files a list may show: none for all users' while it is not to be trusted.
std::string listedBackup(platform::FileSecurity& security, const FolderScope& scope,
                         const std::string& backup) {
  return ForAllUsers(scope.Name) && untrustedBackup(security, backup) ? std::string() : backup;
}

std::string untrustedReason(const std::string& folder) {
  return "users without administrator rights may have changed " + folder +
         ", so Vantrel moves nothing to or from it";
}

// Whether something may be at `path`: only what is seen missing is not.
bool present(platform::FileSystem& fileSystem, const std::u16string& path) {
  bool missing = false;
  return fileSystem.GetFileAttributesW(path, &missing) != platform::kInvalidFileAttributes || !missing;
}

bool isFolder(platform::FileSystem& fileSystem, const std::string& path) {
  bool missing = false;
  const std::uint32_t attributes = fileSystem.GetFileAttributesW(Utf8ToUtf16(path), &missing);
  return attributes != platform::kInvalidFileAttributes &&
         (attributes & platform::kFileAttributeDirectory) != 0;
}

std::string reasonOf(long error) {
  if (error == kErrorSharingViolation) {
    return "another program is using it";
  }
  return "Windows answered error " + IntToStr(error);
}

// A call that failed: missing rights, or another reason; `more` is said after it.
void refuse(TRefusals& refusals, const FolderScope& scope, const std::string& entry, long error,
            const std::string& more = "") {
  if (error == platform::kErrorAccessDenied || error == platform::kDeAccessDeniedSource) {
    const bool forAllUsers = ForAllUsers(scope.Name);
    refusals.Refused(entry, scope.Name, (forAllUsers ? kAdministratorsOnly : kReasonAccessDenied) + more,
                     forAllUsers);
  } else {
    refusals.Refused(entry, scope.Name, reasonOf(error) + more);
  }
}

// Where the file is after a move: still in its folder only, in the target only, in both, or in neither.
enum class Moved { No, Yes, Both, Gone };

// One file's move, as the user asked it.
struct Move {
  const FolderScope& scope;
  std::string entry;  // as its row shows it
  std::string from;
  std::string to;
  std::u16string source;
  std::u16string target;
};

// Where the file is now, looked at rather than taken from Windows' answers; `error` is the last one.
Moved outcome(platform::FileSystem& fileSystem, const Move& move, long error, TRefusals& refusals) {
  const bool inFrom = present(fileSystem, move.source);
  const bool inTo = present(fileSystem, move.target);
  if (inTo && !inFrom) {
    return Moved::Yes;
  }
  if (!inTo && !inFrom) {
    refusals.Refused(move.entry, move.scope.Name, kReasonGone);
    return Moved::Gone;
  }
  if (inTo) {
    refusals.Refused(move.entry, move.scope.Name, "it is now in both " + move.from + " and " + move.to);
    return Moved::Both;
  }
  if (error == platform::kErrorSuccess) {
    refusals.Refused(move.entry, move.scope.Name,
                     "Windows answered that it was moved, but it is still in " + move.from);
  } else {
    refuse(refusals, move.scope, move.entry, error);
  }
  return Moved::No;
}

// Across volumes: copied, then the original deleted, a read-only one too, once the copy is complete (the copy
// keeps its attributes); where it cannot be, the copy goes again and the original stays as it was, so that
// the file is in one folder only, or else stays in both.
Moved copyThenDelete(platform::FileSystem& fileSystem, const Move& move, TRefusals& refusals) {
  const long copied = fileSystem.CopyFileW(move.source, move.target);
  if (copied != platform::kErrorSuccess) {
    return outcome(fileSystem, move, copied, refusals);
  }
  bool missing = false;
  const std::uint32_t attributes = fileSystem.GetFileAttributesW(move.source, &missing);
  const bool readOnly =
      attributes != platform::kInvalidFileAttributes && (attributes & platform::kFileAttributeReadOnly) != 0;
  const std::uint32_t writable = attributes & ~platform::kFileAttributeReadOnly;
  if (readOnly) {
    fileSystem.SetFileAttributesW(move.source, writable);
  }
  const long deleted = fileSystem.DeleteFileW(move.source);
  if (deleted == platform::kErrorSuccess || !present(fileSystem, move.source)) {
    return outcome(fileSystem, move, deleted, refusals);
  }
  if (readOnly) {
    fileSystem.SetFileAttributesW(move.source, attributes);
    fileSystem.SetFileAttributesW(move.target, writable);
  }
  if (fileSystem.DeleteFileW(move.target) != platform::kErrorSuccess && present(fileSystem, move.target)) {
    refusals.Refused(move.entry, move.scope.Name,
                     "it could not be deleted from " + move.from + " (" + reasonOf(deleted) +
                         "), and is now in both " + move.from + " and " + move.to);
    return Moved::Both;
  }
  if (deleted == platform::kErrorAccessDenied) {
    refusals.NoRights(move.entry, move.scope.Name, ForAllUsers(move.scope.Name));
  } else {
    refusals.Refused(move.entry, move.scope.Name,
                     "it could not be deleted from " + move.from + " (" + reasonOf(deleted) +
                         "), so its copy was taken back");
  }
  return Moved::No;
}

Moved moveFile(platform::FileSystem& fileSystem, const Move& move, TRefusals& refusals) {
  // Checked first for a clear message; the calls below never replace a file either.
  if (present(fileSystem, move.target)) {
    refusals.Refused(move.entry, move.scope.Name, "a file of that name is in " + move.to + " already");
    return Moved::No;
  }
  const long moved = fileSystem.MoveFileExW(move.source, move.target);
  if (moved == platform::kErrorNotSameDevice) {
    return copyThenDelete(fileSystem, move, refusals);
  }
  return outcome(fileSystem, move, moved, refusals);
}

// The folder, made where it is missing, with its parent; false when it cannot be.
bool ensureFolder(platform::FileSystem& fileSystem, const std::string& folder,
                  platform::FolderPermissions permissions) {
  if (isFolder(fileSystem, folder)) {
    return true;
  }
  const std::string parent = folder.substr(0, folder.rfind('\\'));
  if (!isFolder(fileSystem, parent)) {
    fileSystem.CreateDirectoryW(Utf8ToUtf16(parent), permissions);
  }
  fileSystem.CreateDirectoryW(Utf8ToUtf16(folder), permissions);
  return isFolder(fileSystem, folder);
}

// Makes the target folder of a scope's move ready; where it cannot be, each of the files is refused, and
// nothing is made. All users' backup runs at every user's log-on once an administrator restores a file from
// it: it is made only where this user may move files out of all users' Startup folder, and only
// administrators may change it, set where it is there already before a file goes in.
bool prepareTarget(platform::FileSystem& fileSystem, platform::FileSecurity& security,
                   const FolderScope& scope, const std::string& from, const std::string& to, bool toBackup,
                   const std::vector<std::string>& entries, TRefusals& refusals) {
  const auto refuseAll = [&](const std::function<void(const std::string&)>& refuseOne) {
    for (const std::string& entry : entries) {
      refuseOne(entry);
    }
    return false;
  };
  if (from.empty() || to.empty()) {
    return refuseAll([&](const std::string& entry) { refusals.Refused(entry, scope.Name, kReasonNoFolder); });
  }
  const auto refuseUntrusted = [&](const std::string& folder) {
    return refuseAll(
        [&](const std::string& entry) { refusals.Refused(entry, scope.Name, untrustedReason(folder)); });
  };
  if (const std::optional<std::string> untrusted =
          !toBackup && ForAllUsers(scope.Name) ? untrustedBackup(security, from) : std::nullopt) {
    return refuseUntrusted(*untrusted);
  }
  if (!toBackup || !ForAllUsers(scope.Name)) {
    if (ensureFolder(fileSystem, to, platform::FolderPermissions::Inherited)) {
      return true;
    }
    return refuseAll([&](const std::string& entry) { refusals.NoRights(entry, scope.Name, false); });
  }
  if (isFolder(fileSystem, to)) {
    if (const std::optional<std::string> untrusted = untrustedBackup(security, to)) {
      return refuseUntrusted(*untrusted);
    }
    const long error = fileSystem.SetNamedSecurityInfoW(Utf8ToUtf16(to));
    return error == platform::kErrorSuccess ||
           refuseAll([&](const std::string& entry) { refuse(refusals, scope, entry, error); });
  }
  if (fileSystem.CreateFileW(Utf8ToUtf16(plainPath(from, kProbe))) &&
      ensureFolder(fileSystem, to, platform::FolderPermissions::AdministratorsOnly)) {
    // Its parent may have been made by anyone before.
    const std::optional<std::string> untrusted = untrustedBackup(security, to);
    return !untrusted || refuseUntrusted(*untrusted);
  }
  return refuseAll([&](const std::string& entry) { refusals.NoRights(entry, scope.Name, true); });
}

void deleteRows(TListView& list, std::vector<int> rows) {
  TListViewUpdate update(list);
  std::sort(rows.begin(), rows.end());
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
    list.DeleteRow(*row);
  }
}

// Renamed: it stays under the name it was given for the bin.
enum class Recycled { Yes, WasGone, No, Renamed };

// Sends one file to the Recycle Bin; Yes where it is seen gone after.
Recycled recycle(platform::FileSystem& fileSystem, const FolderScope& scope, const std::string& entry,
                 const std::string& folder, const std::string& name, TRefusals& refusals) {
  if (folder.empty()) {
    refusals.Refused(entry, scope.Name, kReasonNoFolder);
    return Recycled::No;
  }
  if (!present(fileSystem, literalPath(folder, name))) {
    return Recycled::WasGone;
  }
  // The shell deletes for good, without a word, where there is no bin.
  if (!fileSystem.SHQueryRecycleBinW(Utf8ToUtf16(plainPath(folder, name)))) {
    refusals.Refused(entry, scope.Name, kReasonNoRecycleBin);
    return Recycled::No;
  }
  // The shell takes no literal path: a name that ends in a dot or a blank is first given the name Win32
  // would take it for, which the bin then shows, and given back where it stays.
  const std::string shellName = name.substr(0, name.find_last_not_of(". ") + 1);
  if (shellName != name &&
      (shellName.empty() || present(fileSystem, literalPath(folder, shellName)) ||
       fileSystem.MoveFileExW(literalPath(folder, name), literalPath(folder, shellName)) !=
           platform::kErrorSuccess)) {
    refusals.Refused(entry, scope.Name, kReasonNameForTheBin);
    return Recycled::No;
  }
  const long error = fileSystem.SHFileOperationW(Utf8ToUtf16(plainPath(folder, shellName)));
  if (!present(fileSystem, literalPath(folder, shellName))) {
    return Recycled::Yes;
  }
  const bool named = shellName == name ||
                     fileSystem.MoveFileExW(literalPath(folder, shellName), literalPath(folder, name)) ==
                         platform::kErrorSuccess;
  const std::string now =
      named ? "" : ", and it is now called \"" + shellName + "\": its own name could not be given back";
  if (error == platform::kErrorSuccess) {
    refusals.Refused(entry, scope.Name, kReasonShellKeptIt + now);
  } else {
    refuse(refusals, scope, entry, error, now);
  }
  return named ? Recycled::No : Recycled::Renamed;
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

void FillFolderLists(platform::FileSystem& fileSystem, platform::FileSecurity& security,
                     const std::vector<FolderScope>& scopes, const StatusColumn* status, TListView& liveList,
                     TListView& backupList) {
  TListViewUpdate liveUpdate(liveList);
  TListViewUpdate backupUpdate(backupList);
  for (const FolderScope& scope : scopes) {
    const FolderPlaces places = PlacesOf(fileSystem, scope);
    fillList(fileSystem, scope, places.Live, status, liveList);
    fillList(fileSystem, scope, listedBackup(security, scope, places.Backup), nullptr, backupList);
  }
}

void MoveSelectedFiles(platform::FileSystem& fileSystem, platform::FileSecurity& security,
                       const std::vector<FolderScope>& scopes, const StatusColumn* status,
                       TListView& fromList, bool toBackup, TListView& toList, TRefusals& refusals) {
  std::vector<int> movedRows;
  std::vector<TListRow> arrived;   // the rows of the files now in the target, as it shows them
  std::vector<FolderScope> stale;  // where a file had vanished
  for (const FolderScope& scope : scopes) {
    const std::vector<int> rows = SelectedRows(fromList, scope.Name);
    if (rows.empty()) {
      continue;
    }
    std::vector<std::string> entries;
    for (const int row : rows) {
      entries.push_back(fromList.Rows()[row].Caption);
    }
    const FolderPlaces places = PlacesOf(fileSystem, scope);
    const std::string& from = toBackup ? places.Live : places.Backup;
    const std::string& to = toBackup ? places.Backup : places.Live;
    if (!prepareTarget(fileSystem, security, scope, from, to, toBackup, entries, refusals)) {
      continue;
    }
    for (const int row : rows) {
      const std::string& name = fromList.Rows()[row].Key;
      const Move move{scope, fromList.Rows()[row].Caption, from,
                      to,    literalPath(from, name),      literalPath(to, name)};
      const Moved moved = moveFile(fileSystem, move, refusals);
      if (moved == Moved::Yes || moved == Moved::Both) {
        // Only the live list shows a status; the switch itself stays as it is.
        const std::optional<std::string> shown =
            status && !toBackup ? std::optional(status->Texts(scope.Name, {name}).front()) : std::nullopt;
        arrived.push_back(fileRow(fileSystem, scope, to, name, shown));
      }
      if (moved == Moved::Yes) {
        movedRows.push_back(row);
      }
      if (moved == Moved::Gone && (stale.empty() || stale.back().Name != scope.Name)) {
        stale.push_back(scope);
      }
    }
  }
  TListViewUpdate toUpdate(toList);
  for (const TListRow& row : arrived) {
    toList.AddRow(row);
  }
  deleteRows(fromList, movedRows);
  FillFolderLists(fileSystem, security, stale, status, toBackup ? fromList : toList,
                  toBackup ? toList : fromList);
}

std::vector<FolderScope> UnselectGoneFiles(platform::FileSystem& fileSystem,
                                           const std::vector<FolderScope>& scopes, TListView& liveList,
                                           TRefusals& refusals) {
  std::vector<FolderScope> stale;
  for (const FolderScope& scope : scopes) {
    const std::vector<int> rows = SelectedRows(liveList, scope.Name);
    const std::string folder = rows.empty() ? std::string() : PlacesOf(fileSystem, scope).Live;
    for (const int row : rows) {
      const TListRow& entry = liveList.Rows()[row];
      if (folder.empty() || present(fileSystem, literalPath(folder, entry.Key))) {
        continue;
      }
      refusals.Refused(entry.Caption, scope.Name, kReasonGone);
      liveList.SetSelected(row, false);
      if (stale.empty() || stale.back().Name != scope.Name) {
        stale.push_back(scope);
      }
    }
  }
  return stale;
}

void DeleteSelectedFiles(platform::FileSystem& fileSystem, platform::FileSecurity& security,
                         const std::vector<FolderScope>& scopes, const StatusColumn* status, TListView& list,
                         bool backup, TRefusals& refusals) {
  std::vector<int> deletedRows;
  // Where a file had vanished or stays under another name: its scope and folder.
  std::vector<std::pair<FolderScope, std::string>> stale;
  for (const FolderScope& scope : scopes) {
    const std::vector<int> rows = SelectedRows(list, scope.Name);
    if (rows.empty()) {
      continue;
    }
    const FolderPlaces places = PlacesOf(fileSystem, scope);
    const std::string& folder = backup ? places.Backup : places.Live;
    for (const int row : rows) {
      const std::string& name = list.Rows()[row].Key;
      const Recycled recycled = recycle(fileSystem, scope, list.Rows()[row].Caption, folder, name, refusals);
      if (recycled == Recycled::Yes || recycled == Recycled::WasGone) {
        deletedRows.push_back(row);
      }
      const bool changed = recycled == Recycled::WasGone || recycled == Recycled::Renamed;
      if (changed && (stale.empty() || stale.back().first.Name != scope.Name)) {
        stale.emplace_back(scope, folder);
      }
    }
  }
  deleteRows(list, deletedRows);
  TListViewUpdate update(list);
  for (const auto& [scope, folder] : stale) {
    if (backup) {
      fillList(fileSystem, scope, listedBackup(security, scope, folder), nullptr, list);
    } else {
      fillList(fileSystem, scope, folder, status, list);
    }
  }
}

}  // namespace vantrel
