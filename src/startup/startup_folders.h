// The Startup folders, whose files Windows opens at log-on, as two more scopes of the startup manager's
// lists: this user's and all users'. Each keeps the files the user turned off in a backup folder of its own,
// outside the Start menu, which Windows neither opens nor shows. A row shows the file's name (a shortcut's
// without ".lnk") and keeps its exact name as its Key; every operation on a row acts in the row's scope on
// that file.
#pragma once

#include <string>
#include <vector>

#include "framework/comctrls.h"
#include "platform/file_security.h"
#include "platform/file_system.h"
#include "startup/refusals.h"
#include "startup/startup_entries.h"

namespace vantrel {

struct FolderScope {
  std::string Name;  // as the lists' Scope column shows it
  int Folder;        // the Startup folder, as the system names it (a CSIDL)
  int BackupParent;  // the folder that holds the backup, "Vantrel\Startup-" (a CSIDL)
};

// This user's Startup folder, then all users'.
std::vector<FolderScope> FolderScopes();

// The two folders of a scope; a path is empty where the system cannot tell.
struct FolderPlaces {
  std::string Live;
  std::string Backup;
};
FolderPlaces PlacesOf(platform::FileSystem& fileSystem, const FolderScope& scope);

// In every scope: refills the scope's rows of both lists from its two folders (desktop.ini and subfolders
// left out). A folder that cannot be listed leaves its rows as they are; a backup folder not made yet, or
// deleted, holds nothing, and so does all users' where anyone but administrators may have changed it. Creates
// nothing and reports nothing. With `status`, the live list's rows show their status. A shortcut's Program is
// its target as a 64-bit shell starts it, whatever this process's view.
void FillFolderLists(platform::FileSystem& fileSystem, platform::FileSecurity& security,
                     const std::vector<FolderScope>& scopes, const StatusColumn* status, TListView& liveList,
                     TListView& backupList);

// Moves the files of the selected folder rows of `fromList` from the live folders to the backups
// (`toBackup`) or back, each within its scope; then the rows whose files moved go to `toList` (with their
// status where it is the live list and `status` is given). A backup folder is made only for a move that this
// user may make; all users' is made, or set before a file goes in, so that only administrators may change it,
// and nothing moves to or from it (nor its parent) where anyone else may have changed them, or either is a
// link: the refusal names the folder.
// One move call within a volume; across volumes a copy, then the deletion of the original (read-only or
// not), and the copy deleted again where the original cannot be. A file of the same name in the target is
// never replaced. A row changes only when its file is seen to have moved; a file no longer there is said so,
// and both lists are read again. Adds to `refusals` a line per file that did not move.
void MoveSelectedFiles(platform::FileSystem& fileSystem, platform::FileSecurity& security,
                       const std::vector<FolderScope>& scopes, const StatusColumn* status,
                       TListView& fromList, bool toBackup, TListView& toList, TRefusals& refusals);

// Unselects the selected folder rows of the live list whose files are no longer there, so that an action on
// the selection leaves them alone, and adds to `refusals` that they are gone. Returns their scopes, whose
// rows are to be read again once the action is done.
std::vector<FolderScope> UnselectGoneFiles(platform::FileSystem& fileSystem,
                                           const std::vector<FolderScope>& scopes, TListView& liveList,
                                           TRefusals& refusals);

// Sends the files of the selected folder rows of `list` (of the live folders, or of the backups with
// `backup`) to the Recycle Bin, never deleting one for good, and deletes the rows whose files are seen gone;
// a file that was gone already is what the user asked: its row goes, and the list is read again (with
// `status` where it is the live list). Adds to `refusals` a line per file that stays; one left under the name
// it was given for the bin, its own not taken back, is said to be called so now, and the list is read again.
void DeleteSelectedFiles(platform::FileSystem& fileSystem, platform::FileSecurity& security,
                         const std::vector<FolderScope>& scopes, const StatusColumn* status, TListView& list,
                         bool backup, TRefusals& refusals);

}  // namespace vantrel
