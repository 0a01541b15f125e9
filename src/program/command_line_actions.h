// What a start with a switch does instead of starting the program: it lists the switches, or it has one pass
// run; and what a start tells when the running copy does not answer. Such a start shows no icon and no
// window, reads and writes no settings and leaves auto-start alone.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/services.h"
#include "program/command_line.h"

namespace vantrel {

// The process's arguments in UTF-8, without its own path.
std::vector<std::string> CommandLineArguments(platform::Process& process);

// The switches, in a box captioned "Vantrel" under the line of what was wrong; the request's exit code once
// it is closed. Where no one could see the box, none is shown and the answer is kWrongUsage.
int ShowUsage(platform::Services& services, const StartRequest& request);

// A pass of `megabytes` (kWholeMemoryPass: all that a pass can free). The session's running copy is handed
// it, shows it as its own and the answer is 0; without one (or when it does not take it) the pass runs here,
// for kWholeMemoryPass after the default memory regions: 0 when every block it asked for was held and no
// region failed (one that needs an administrator or that this Windows lacks does not), 1 otherwise. This
// start never takes the one-copy object, so a normal start meanwhile does not mistake it for a running copy.
int RunCommandLinePass(platform::Services& services, std::int32_t megabytes);

// A start that found the session's copy holding on without answering, nor ending: it says so in a box where
// one can be seen, and the answer is 1.
int TellCopyNotAnswering(platform::Services& services);

}  // namespace vantrel
