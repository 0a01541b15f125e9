// The startup manager's lists with N entries, N = 30, 300 and 3,000: filling them from the registry, and
// moving every entry to the backup, each against a bare fill of N rows into the same list, in the same run.
// The registry is the in-memory one, so that the figures are those of the page and of the list. Natively the
// list has no window; under Wine it is a real list view on a shown form (it needs a display).
// Then the Publisher column of 3,000 entries on a slow disk (each attribute read takes 2 ms): the window
// thread's longest stall while its worker fills the column, against the whole fill's time.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bench_native.h"
#include "fake_services.h"
#include "framework/application.h"
#include "framework/comctrls.h"
#include "framework/form.h"
#include "median.h"
#include "startup/publisher_column.h"
#include "startup/run_key.h"
#include "startup/startup_entries.h"

using namespace vantrel;

namespace {

class ListForm : public TForm {
 public:
  explicit ListForm(TApplication& application) : TForm(application) {
    SetBounds(0, 0, 640, 480);
    for (TListView** list : {&live, &backup}) {
      *list = new TListView(this);
      (*list)->MultiSelect = true;
      (*list)->RowSelect = true;
      (*list)->SetColumns({{"Items", 128}, {"Scope", 100}, {"Program", 300}});
      (*list)->Compare = [](const TListRow& a, const TListRow& b) { return a.Caption.compare(b.Caption); };
      (*list)->SetBounds(0, *list == live ? 0 : 240, 640, 240);
      (*list)->SetParent(this);
    }
  }
  TListView* live = nullptr;
  TListView* backup = nullptr;
};

class PublisherForm : public ListForm {
 public:
  explicit PublisherForm(TApplication& application) : ListForm(application) {
    for (TListView* list : {live, backup}) {
      list->SetColumns({{"Items", 128}, {"Scope", 100}, {kPublisherColumn, 120}, {"Program", 300}});
    }
  }
};

// The fake disks, each attribute read taking a slow disk's time.
class SlowFileSystem final : public platform::FileSystem {
 public:
  explicit SlowFileSystem(platform::FileSystem& disks) : disks_(disks) {}
  std::uint32_t GetFileAttributesW(const std::u16string& path, bool* missing) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return disks_.GetFileAttributesW(path, missing);
  }
  std::u16string SHGetFolderPathW(int folder) override { return disks_.SHGetFolderPathW(folder); }
  bool CreateDirectoryW(const std::u16string& path, platform::FolderPermissions permissions) override {
    return disks_.CreateDirectoryW(path, permissions);
  }
  long SetNamedSecurityInfoW(const std::u16string& path) override {
    return disks_.SetNamedSecurityInfoW(path);
  }
  std::uint32_t GetDriveTypeW(const std::u16string& root) override { return disks_.GetDriveTypeW(root); }
  bool CreateFileW(const std::u16string& path) override { return disks_.CreateFileW(path); }
  long FindFirstFileW(const std::u16string& folder, std::vector<platform::FindData>* found) override {
    return disks_.FindFirstFileW(folder, found);
  }
  long MoveFileExW(const std::u16string& from, const std::u16string& to) override {
    return disks_.MoveFileExW(from, to);
  }
  long CopyFileW(const std::u16string& from, const std::u16string& to) override {
    return disks_.CopyFileW(from, to);
  }
  long DeleteFileW(const std::u16string& path) override { return disks_.DeleteFileW(path); }
  long SetFileAttributesW(const std::u16string& path, std::uint32_t attributes) override {
    return disks_.SetFileAttributesW(path, attributes);
  }
  long WriteFile_Append(const std::u16string& path, const std::string& bytes, std::uint64_t* size) override {
    return disks_.WriteFile_Append(path, bytes, size);
  }
  bool SHQueryRecycleBinW(const std::u16string& path) override { return disks_.SHQueryRecycleBinW(path); }
  long SHFileOperationW(const std::u16string& path) override { return disks_.SHFileOperationW(path); }
  bool IShellLinkW_GetPath(const std::u16string& shortcut, std::u16string* path,
                           std::u16string* arguments) override {
    return disks_.IShellLinkW_GetPath(shortcut, path, arguments);
  }
  std::u16string ExpandEnvironmentStringsW(const std::u16string& text) override {
    return disks_.ExpandEnvironmentStringsW(text);
  }
  bool GetFileVersionInfoW_CompanyName(const std::u16string& path, std::u16string* company) override {
    return disks_.GetFileVersionInfoW_CompanyName(path, company);
  }

 private:
  platform::FileSystem& disks_;
};

std::string entryName(int i) {
  // Not in sorting order, as a registry lists them.
  return "Entry " + std::to_string((i * 7919) % 100000);
}

// Milliseconds of `run`, the median of `rounds`, each after `prepare` (not timed); the messages it leaves
// (drawing) are handled within the time.
template <typename Prepare, typename Run>
double milliseconds(TApplication& application, int rounds, Prepare prepare, Run run) {
  std::vector<double> times;
  for (int round = 0; round < rounds; ++round) {
    prepare();
    application.ProcessMessages();
    const auto start = std::chrono::steady_clock::now();
    run();
    application.ProcessMessages();
    times.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  return bench::median(times);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
  fakes::FakeServices fakes;
  TApplication application(fakes.services, bench::nativeApplication());
  auto* form = application.CreateForm<ListForm>();
  form->Show();
  const std::vector<RunScope> scopes = RunScopes(false, false);
  const std::vector<RunScope> machine = {scopes.front()};

  for (const int n : {30, 300, 3000}) {
    const auto emptyLists = [&] {
      form->live->Clear();
      form->backup->Clear();
    };
    const double bare = milliseconds(application, rounds, emptyLists, [&] {
      form->live->BeginUpdate();
      for (int i = 0; i < n; ++i) {
        TListRow row;
        row.Caption = entryName(i);
        row.SubItems = {"All users", "C:\\Program Files\\Entry\\entry.exe"};
        row.ImageIndex = 0;
        form->live->AddRow(row);
      }
      form->live->EndUpdate();
    });
    const auto entries = [&] {
      emptyLists();
      fakes.registry.createKey(platform::kHKeyLocalMachine, kRunKey);
      fakes.registry.createKey(platform::kHKeyLocalMachine, kBackupKey);
      for (int i = 0; i < n; ++i) {
        fakes.registry.deleteValue(platform::kHKeyLocalMachine, kBackupKey, entryName(i));
        fakes.registry.setString(platform::kHKeyLocalMachine, kRunKey, entryName(i),
                                 "C:\\Program Files\\Entry\\entry.exe");
      }
    };
    const double fill = milliseconds(application, rounds, entries, [&] {
      FillLists(fakes.registry, machine, nullptr, *form->live, *form->backup);
    });
    const double move = milliseconds(
        application, rounds,
        [&] {
          entries();
          FillLists(fakes.registry, machine, nullptr, *form->live, *form->backup);
          for (int i = 0; i < form->live->RowCount(); ++i) {
            form->live->SetSelected(i, true);
          }
        },
        [&] {
          TRefusals refusals(EntryAction::TurnOff);
          MoveSelectedEntries(fakes.registry, machine, nullptr, *form->live, true, *form->backup, refusals);
        });
    std::printf(
        "%5d entries: bare fill %8.2f ms, page fill %8.2f ms (ratio %5.2f), all moved %8.2f ms (ratio "
        "%5.2f)\n",
        n, bare, fill, fill / bare, move, move / bare);
  }

  // The Publisher column of 3,000 entries, each its own program file, on the slow disk.
  constexpr int kEntries = 3000;
  auto* columns = application.CreateForm<PublisherForm>();
  columns->Show();
  fakes::FakeServices slowDisk;
  SlowFileSystem slow(slowDisk.fileSystem);
  for (int i = 0; i < kEntries; ++i) {
    const std::string program = "C:\\Program Files\\Entry " + std::to_string(i) + "\\entry.exe";
    slowDisk.fileSystem.addFile(program);
    slowDisk.registry.setString(platform::kHKeyLocalMachine, kRunKey, entryName(i), program + " /tray");
  }
  FillLists(slowDisk.registry, machine, nullptr, *columns->live, *columns->backup);
  application.ProcessMessages();
  TPublisherColumn publishers(columns, {slow, slowDisk.registry, false}, &slowDisk.signatures,
                              std::make_unique<platform::ThreadWorker>(), *columns->live, *columns->backup);
  const auto since = [](std::chrono::steady_clock::time_point from) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - from).count();
  };
  const auto start = std::chrono::steady_clock::now();
  publishers.Check(true);
  double longest = since(start);
  while (publishers.Checking()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const auto step = std::chrono::steady_clock::now();
    publishers.Take();
    application.ProcessMessages();
    longest = std::max(longest, since(step));
  }
  const double total = since(start);
  std::printf(
      "%5d entries, 2 ms a file read: Publisher column filled in %8.2f ms, the window thread's longest "
      "stall %6.2f ms (ratio %6.4f)\n",
      kEntries, total, longest, longest / total);
  return 0;
}
