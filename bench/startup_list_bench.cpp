// The startup manager's lists with N entries, N = 30, 300 and 3,000: filling them from the registry, and
// moving every entry to the backup, each against a bare fill of N rows into the same list, in the same run.
// The registry is the in-memory one, so that the figures are those of the page and of the list. Natively the
// list has no window; under Wine it is a real list view on a shown form (it needs a display).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_native.h"
#include "fake_services.h"
#include "framework/application.h"
#include "framework/comctrls.h"
#include "framework/form.h"
#include "median.h"
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
  return 0;
}
