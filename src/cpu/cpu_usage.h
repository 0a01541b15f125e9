// CpuUsage: how busy the processors are. A module with process-wide state and its own start-up and
// shut-down. On the NT family it keeps each processor instance's idle counter from the two latest samples of
// the system's performance data; on Windows 95/98/Me it reads the kernel's CPU usage statistics.
// Everything runs on the main thread. Failures are vantrel::Exception with the texts below.
#pragma once

#include <cstdint>

#include "platform/services.h"

namespace vantrel {

inline constexpr char kNoProcessorObjectMessage[] = "Unable to locate the \"Processor\" performance object";
inline constexpr char kNoUsageCounterMessage[] =
    "Unable to locate the \"% of CPU usage\" performance counter";
inline constexpr char kCannotStartStatisticsMessage[] = "Unable to start performance monitoring";
inline constexpr char kCannotReadStatisticsMessage[] = "Unable to read performance data";
inline constexpr char kCpuIndexOutOfBoundsMessage[] = "CPU index out of bounds";
inline constexpr char kNoWindowsVersionMessage[] = "Can't get the Windows version";

// Reads the platform family and prepares the block buffer; the services must outlive the module.
// Fails with kNoWindowsVersionMessage, leaving the module not started.
void StartupCpuUsage(const platform::Services& services);
// Stops the 95/98/Me statistics if they were started and releases the module's state.
void ShutdownCpuUsage();

// Takes a new sample: every processor instance (NT family) or the kernel's value (95/98/Me).
void RefreshProcessorData();
// Processor instances of the samples; the first call takes a sample when none exists yet. 1 on 95/98/Me.
std::int32_t ProcessorCount();
// Share of the interval between the two latest samples that instance `index` was busy (0.25 is 25 %), not
// clamped. Takes a sample only when none exists yet; 0 while there is only one.
double ProcessorUsage(std::int32_t index);
// Ends the 95/98/Me statistics when they were started; every failure is ignored.
void StopProcessorStatistics();

}  // namespace vantrel
