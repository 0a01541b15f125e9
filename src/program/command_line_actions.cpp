#include "program/command_line_actions.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "framework/native.h"
#include "memory/max_mem.h"
#include "memory/memory_regions.h"
#include "platform/unicode.h"
#include "program/command_line.h"
#include "program/product.h"
#include "program/running_copy.h"

namespace vantrel {

namespace {

constexpr int kPassFailed = 1;
constexpr char kCopyNotAnswering[] =
    "Vantrel is running already but does not answer. Close it, or end it in the Task Manager, then start "
    "Vantrel again.";

int passHere(platform::Memory& memory, std::int32_t megabytes) {
  TMaxMem reclaimer(nullptr, memory);
  const std::int64_t total = reclaimer.TotalMemory() / static_cast<std::int64_t>(TMaxMem::kBlockSize);
  const std::int32_t blocks =
      megabytes == kWholeMemoryPass
          ? static_cast<std::int32_t>(std::min<std::int64_t>(total, TMaxMem::kMaxBlocks))
          : megabytes;
  try {
    reclaimer.Defrag(blocks);
  } catch (const std::exception&) {
    return kPassFailed;
  }
  return blocks > 0 && reclaimer.Held() == blocks ? 0 : kPassFailed;
}

// The default regions, as no settings are read here. A region that needs an administrator or that this
// Windows lacks is no failure of the run; one that the system answered with an error is.
bool regionsHere(platform::Services& services) {
  platform::OsVersionInfo version;
  if (!services.version->GetVersionExA(version)) {
    version = {};
  }
  const RegionResults results = FreeRegions(*services.systemMemory, version, kDefaultRegions);
  return std::none_of(results.begin(), results.end(), [](const std::optional<RegionResult>& result) {
    return result && result->outcome == RegionOutcome::Failed;
  });
}

}  // namespace

std::vector<std::string> CommandLineArguments(platform::Process& process) {
  const std::vector<std::u16string> arguments = process.CommandLineToArgvW(process.GetCommandLineW());
  std::vector<std::string> result;
  for (std::size_t index = 1; index < arguments.size(); ++index) {
    result.push_back(Utf16ToUtf8(arguments[index]));
  }
  return result;
}

int ShowUsage(platform::Services& services, const StartRequest& request) {
  if (!services.windowSystem->WindowStationVisible()) {
    return kWrongUsage;
  }
  const std::string text = request.problem.empty() ? kUsageText : request.problem + "\n\n" + kUsageText;
  services.dialogs->MessageBoxW(0, Utf8ToUtf16(text), Utf8ToUtf16(kProductName),
                                platform::kMbOk | platform::kMbIconInformation);
  return request.exitCode;
}

int RunCommandLinePass(platform::Services& services, std::int32_t megabytes) {
  platform::Instances& instances = *services.instances;
  // Only a copy whose window is there is asked; one still starting would be waited for while the pass could
  // as well run here.
  if (RunningCopyWindow(instances) != 0 &&
      HandToRunningCopy(instances, PassCommand(megabytes)) == HandOver::Taken) {
    return 0;
  }
  if (megabytes != kWholeMemoryPass) {
    return passHere(*services.memory, megabytes);
  }
  const bool regionsDone = regionsHere(services);
  const int pass = passHere(*services.memory, megabytes);
  return regionsDone ? pass : kPassFailed;
}

int TellCopyNotAnswering(platform::Services& services) {
  if (services.windowSystem->WindowStationVisible()) {
    services.dialogs->MessageBoxW(0, Utf8ToUtf16(kCopyNotAnswering), Utf8ToUtf16(kProductName),
                                  platform::kMbOk | platform::kMbIconWarning);
  }
  return kPassFailed;
}

}  // namespace vantrel
