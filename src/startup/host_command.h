// What a host program that Windows ships (rundll32, regsvr32, cmd, wscript, cscript, mshta, powershell, pwsh)
// runs, read from its arguments: so that an entry started through one is shown by the file it runs.
#pragma once

#include <string>

namespace vantrel {

struct HostedRun {
  enum class Kind {
    NotHost,  // not one of the hosts
    Library,  // rundll32's DLL: Text is its arguments, the DLL's path up to the comma before the entry point
    File,     // a file the host is given: Text starts with its path (quoted, or unquoted with blanks)
    Command,  // a command line the host runs as a program (cmd /c): Text
    Opened,   // a program, document or address that cmd's `start` opens: Text
    None,     // no file to name: an address, a command, cmd's own commands, no arguments
  };
  Kind Is = Kind::NotHost;
  std::string Text;
  // Added to a file's name without an extension, as the host does (".dll" for regsvr32).
  std::string Extension;
};

// What the host `program` (a file name, with or without ".exe", in any case) runs with `arguments`.
HostedRun HostedBy(const std::string& program, const std::string& arguments);

}  // namespace vantrel
