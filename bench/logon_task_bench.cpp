// The window thread while the log-on task's calls, the account's look-up and the elevation prompt each take
// 2 s (the fake services, made slow): its longest stall at the start (which finds the task of a program that
// is gone and registers it again), when the box is unticked and ticked, and at the restart button, against
// one tick of the monitor timer. The window thread runs its timers on a clock that follows real time, as a
// message loop would; the calls run on the program's workers.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "app/main_window.h"
#include "cpu/cpu_usage.h"
#include "fake_native_application.h"
#include "fake_services.h"
#include "startup/run_key.h"
#include "test_blocks.h"
#include "tray/tray_icon.h"

using namespace vantrel;

namespace {

constexpr auto kCall = std::chrono::seconds(2);
std::atomic<int> calls{0};

void slowCall() {
  ++calls;
  std::this_thread::sleep_for(kCall);
}

class SlowTasks final : public platform::ScheduledTasks {
 public:
  explicit SlowTasks(platform::ScheduledTasks& real) : real_(real) {}
  std::int32_t GetTask(const std::u16string& name, platform::RegisteredTask& task) override {
    slowCall();
    return real_.GetTask(name, task);
  }
  std::int32_t RegisterTask(const std::u16string& name, const std::u16string& xml) override {
    slowCall();
    return real_.RegisterTask(name, xml);
  }
  std::int32_t DeleteTask(const std::u16string& name) override {
    slowCall();
    return real_.DeleteTask(name);
  }
  // A look at one local file: not one of the slow calls.
  bool TaskFileMissing(const std::u16string& name) override { return real_.TaskFileMissing(name); }
  std::int32_t GetTasks(std::vector<platform::RegisteredTask>& tasks) override {
    slowCall();
    return real_.GetTasks(tasks);
  }
  std::int32_t SetTaskEnabled(const std::u16string& path, bool enabled) override {
    slowCall();
    return real_.SetTaskEnabled(path, enabled);
  }

 private:
  platform::ScheduledTasks& real_;
};

class SlowAccount final : public platform::Process {
 public:
  explicit SlowAccount(platform::Process& real) : real_(real) {}
  std::u16string GetModuleFileNameW() override { return real_.GetModuleFileNameW(); }
  std::u16string GetCommandLineW() override { return real_.GetCommandLineW(); }
  std::vector<std::u16string> CommandLineToArgvW(const std::u16string& line) override {
    return real_.CommandLineToArgvW(line);
  }
  bool IsWow64Process() override { return real_.IsWow64Process(); }
  std::string GetSystemWow64DirectoryA() override { return real_.GetSystemWow64DirectoryA(); }
  std::u16string LookupAccountSidW() override {
    slowCall();
    return real_.LookupAccountSidW();
  }

 private:
  platform::Process& real_;
};

class SlowPrompt final : public platform::ShellExecution {
 public:
  explicit SlowPrompt(platform::ShellExecution& real) : real_(real) {}
  std::intptr_t ShellExecuteA(platform::WindowHandle owner, const std::string& operation,
                              const std::string& file, const std::string& parameters,
                              const std::string& directory, int showCommand) override {
    return real_.ShellExecuteA(owner, operation, file, parameters, directory, showCommand);
  }
  std::intptr_t ShellExecuteW(platform::WindowHandle owner, const std::u16string& operation,
                              const std::u16string& file, const std::u16string& parameters,
                              const std::u16string& directory, int showCommand) override {
    slowCall();
    return real_.ShellExecuteW(owner, operation, file, parameters, directory, showCommand);
  }

 private:
  platform::ShellExecution& real_;
};

struct Stall {
  double longest = 0;
  double total = 0;
  int calls = 0;
};

// Runs `step` on the window thread, then its timers as real time passes, until `done`.
Stall measure(fakes::FakeClock& clock, const std::function<void()>& step, const std::function<bool()>& done) {
  using Clock = std::chrono::steady_clock;
  const auto since = [](Clock::time_point from) {
    return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
  };
  const int before = calls;
  const Clock::time_point start = Clock::now();
  step();
  Stall stall{since(start)};
  Clock::time_point last = Clock::now();
  while (!done()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const Clock::time_point now = Clock::now();
    clock.advance(static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now - last).count()));
    stall.longest = std::max(stall.longest, since(now));
    last = now;
  }
  stall.total = since(start);
  stall.calls = calls - before;
  return stall;
}

}  // namespace

int main() {
  constexpr char kExe[] = "C:\\Apps\\Vantrel\\Vantrel.exe";
  fakes::FakeServices fakes;
  fakes.version.majorVersion = 10;
  fakes.windowSystem.elevated = true;
  fakes.process.moduleFileName = kExe;
  for (const char* path : {"C:\\Apps\\Vantrel\\Vantrel.exe", "C:\\Apps\\Vantrel", "C:\\Apps", "C:"}) {
    fakes.fileSecurity.descriptors[path] = {"S-1-5-32-544", true, {{true, 0, 0x1F01FF, "S-1-5-32-544"}}, 0};
  }
  // The task of an earlier place of the program, which the start registers again for this one.
  fakes.scheduledTasks.tasks["Vantrel"] =
      std::string("<Task><Actions><Exec><Command>C:\\Old\\Vantrel.exe</Command></Exec></Actions></Task>");
  SlowTasks tasks(fakes.scheduledTasks);
  SlowAccount process(fakes.process);
  SlowPrompt shell(fakes.shellExecution);
  fakes.services.scheduledTasks = &tasks;
  fakes.services.process = &process;
  fakes.services.shellExecution = &shell;
  // The product's own threads.
  platform::ThreadWorkers threads;
  fakes.services.workers = &threads;
  // The prompt's refusal is told in a box, which shows that its answer has come.
  fakes.shellExecution.answer = 2;

  fakes.registry.createKey(platform::kHKeyLocalMachine, kRunKey);
  fakes.registry.createKey(platform::kHKeyCurrentUser, kRunKey);
  const auto runValue = [&] {
    return fakes.registry.stringValue(platform::kHKeyLocalMachine, kRunKey, "Vantrel");
  };

  fakes.performanceData.block = fakes::processorBlock(fakes::sampleTime(0), {0}).bytes;
  StartupCpuUsage(fakes.services);
  StartupTrayIcon(fakes.services);

  bool within = true;
  {
    TApplication application(fakes.services, std::make_unique<fakes::FakeNativeApplication>(fakes.clock));
    TfrmVantrel* form = nullptr;
    const auto report = [&](const char* what, const Stall& stall) {
      const std::uint32_t tick = form->Timer2->Interval();
      std::printf(
          "%-22s %d calls of 2 s: %6.0f ms in all; the window thread's longest stall %8.2f ms; the monitor "
          "timer's tick %u ms: %s\n",
          what, stall.calls, stall.total, stall.longest, tick,
          stall.longest <= tick ? "within one tick" : "LONGER THAN ONE TICK");
      within = within && stall.longest <= tick;
    };
    // The Free Memory page is made when its tab first shows; its box then shows the task as the window knows
    // it.
    const auto logonBox = [&]() -> TCheckBox& {
      if (form->FreeMemoryPage == nullptr) {
        form->TabSheet5->OnShow(form->TabSheet5);
      }
      return *form->FreeMemoryPage->chkLogonTask;
    };
    const Stall start = measure(
        fakes.clock, [&] { form = application.CreateForm<TfrmVantrel>(); },
        [&] { return logonBox().Checked(); });
    report("start", start);
    report("box unticked",
           measure(
               fakes.clock, [&] { logonBox().Toggle(); }, [&] { return runValue().has_value(); }));
    report("box ticked", measure(
                             fakes.clock, [&] { logonBox().Toggle(); },
                             [&] { return logonBox().Checked() && !runValue(); }));
    report("restart button", measure(
                                 fakes.clock, [&] { form->btnRestartElevatedClick(form); },
                                 [&] {
                                   return !fakes.dialogs.boxes.empty() &&
                                          fakes.dialogs.boxes.back().text.find("(error 2)") !=
                                              std::string::npos;
                                 }));
  }
  ShutdownTrayIcon();
  ShutdownCpuUsage();
  std::printf("%s\n", within ? "within one tick" : "LONGER THAN ONE TICK");
  return within ? 0 : 1;
}
