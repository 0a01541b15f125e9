#include "platform/win32/win32_system_memory.h"

#include <gtest/gtest.h>

#include "platform/win32/windows_api.h"
#include "system_memory_contract.h"

namespace vantrel {
namespace {

TEST(Win32SystemMemory, KeepsTheSystemMemoryContract) {
  platform::win32::Win32SystemMemory system;
  contract::checkSystemMemory(system, GetCurrentProcessId());
}

}  // namespace
}  // namespace vantrel
