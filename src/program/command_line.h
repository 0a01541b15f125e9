// The program's switches. Without one the program starts in the notification area; "/free N" (N megabytes,
// 1 to 1024) and "/freeall" run one pass and end; "/logon" starts as without one, unless a copy runs already;
// "/?" lists the switches. Case does not matter, and "-" does
// as well as "/". Anything else names what was wrong, lists the switches too, and ends with kWrongUsage; so
// does every start that lists them where no one could see the box (a task without a visible desktop).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vantrel {

// The megabytes of a pass that frees all the memory a pass can (DefragAll).
constexpr std::int32_t kWholeMemoryPass = 0;
constexpr int kWrongUsage = 2;
constexpr char kUsageText[] =
    "Vantrel [/free N | /freeall | /logon | /?]\n\n"
    "/free N\tfrees N MB of memory, N from 1 to 1024\n"
    "/freeall\tempties memory regions, frees all it can\n"
    "/logon\tstarts, unless Vantrel runs already\n"
    "/?\tshows this list\n\n"
    "A running Vantrel carries out the pass and shows it in its tray icon; otherwise the pass runs without "
    "an icon or a window, and /freeall empties the working sets of all programs, the file cache and the "
    "low-priority standby list. Without a switch, Vantrel starts in the notification area.";

// LogOn: the start by the task at log-on (logon_task.h).
enum class StartAction { Run, LogOn, Pass, Usage };

struct StartRequest {
  StartAction action = StartAction::Run;
  std::int32_t megabytes = 0;  // of a pass: 1 to 1024, or kWholeMemoryPass
  int exitCode = 0;            // once the switches are listed: 0 when asked for, kWrongUsage otherwise
  std::string problem;         // what was wrong with the command line, in a line above the switches

  bool operator==(const StartRequest&) const = default;
};

// `arguments` without the program's own path, in UTF-8.
StartRequest ParseCommandLine(const std::vector<std::string>& arguments);

// The N of "/free N": a whole number from 1 to 1024 in decimal digits; none for anything else.
std::optional<std::int32_t> PassMegabytes(const std::string& text);

}  // namespace vantrel
