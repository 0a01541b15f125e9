// The lookup of the file that a startup entry runs, on the real disks and registry (Windows, or Wine): the
// milliseconds of one lookup of command lines whose blanks make many candidates, and the longest step of the
// window thread while the Publisher column's worker looks up rows of such lines, each line another.
// Usage: program_file_bench [rows]   (default 50)
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
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#include "startup/program_file.h"
#include "startup/publisher_column.h"
#include "startup/startup_rows.h"

using namespace vantrel;

namespace {

class ListForm : public TForm {
 public:
  explicit ListForm(TApplication& application) : TForm(application) {
    for (TListView** list : {&live, &backup}) {
      *list = new TListView(this);
      (*list)->SetColumns({{"Items", 128}, {"Scope", 100}, {kPublisherColumn, 120}, {"Program", 300}});
      (*list)->SetParent(this);
    }
  }
  TListView* live = nullptr;
  TListView* backup = nullptr;
};

std::string repeated(const std::string& text, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) {
    all += text;
  }
  return all;
}

double since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  const int rows = argc > 1 ? std::atoi(argv[1]) : 50;
  platform::win32::Win32FileSystem fileSystem;
  platform::win32::Win32Registry registry;
  const ProgramSearch search{fileSystem, registry, false};
  struct Line {
    const char* what;
    std::string command;
  };
  const std::vector<Line> lines = {
      {"4 KB of blanks", "a" + std::string(4094, ' ') + "b"},
      {"16 KB of blanks", "a" + std::string(16382, ' ') + "b"},
      {"4 KB of words", repeated("a ", 2048)},
      {"4 KB of folders", "C:\\" + repeated("a ", 2047)},
      {"a program in a folder with blanks", "C:\\Program Files\\Common Files\\Some App\\app.exe /tray"},
  };
  for (const Line& line : lines) {
    const auto start = std::chrono::steady_clock::now();
    const ProgramFile file = FindProgramFile(search, line.command, true);
    std::printf("%-34s one lookup %9.2f ms (state %d)\n", line.what, since(start), static_cast<int>(file.Is));
  }

  fakes::FakeServices fakes;
  TApplication application(fakes.services, bench::nativeApplication());
  auto* form = application.CreateForm<ListForm>();
  for (const Line& line : lines) {
    form->live->Clear();
    for (int i = 0; i < rows; ++i) {
      TListRow row = EntryRow("Entry " + std::to_string(i), kRunLocation, "All users", std::nullopt,
                              line.command + " " + std::to_string(i));
      form->live->AddRow(row);
    }
    TPublisherColumn column(form, search, nullptr, std::make_unique<platform::ThreadWorker>(), *form->live,
                            *form->backup);
    const auto start = std::chrono::steady_clock::now();
    column.Check(true);
    double longest = since(start);
    int ticks = 0;
    while (column.Checking()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      const auto tick = std::chrono::steady_clock::now();
      column.Take();
      longest = std::max(longest, since(tick));
      ++ticks;
    }
    std::printf("%-34s %d rows: %3d ticks in %9.2f ms, the longest %8.2f ms\n", line.what, rows, ticks,
                since(start), longest);
  }
  return 0;
}
