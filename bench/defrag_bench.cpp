// A reclaim pass against a reference in the same run: the same number of 1 MB blocks committed through the
// same platform calls, filled with memset and released. Prints MB/s of both and the ratio pass/reference.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench_memory.h"
#include "median.h"
#include "memory/max_mem.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::uint32_t kProtection = vantrel::platform::kPageReadWrite | vantrel::platform::kPageNoCache;

double secondsOf(void (*run)(std::int32_t), std::int32_t megabytes) {
  const auto start = Clock::now();
  run(megabytes);
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void reference(std::int32_t megabytes) {
  vantrel::platform::Memory& memory = vantrel::bench::systemMemory();
  std::vector<void*> blocks;
  for (std::int32_t i = 0; i < megabytes; ++i) {
    void* block = memory.VirtualAlloc(nullptr, vantrel::TMaxMem::kBlockSize, vantrel::platform::kMemCommit,
                                      kProtection);
    if (!block) {
      std::fprintf(stderr, "reference: block %d refused\n", i);
      std::exit(1);
    }
    std::memset(block, 0, vantrel::TMaxMem::kBlockSize);
    blocks.push_back(block);
  }
  for (void* block : blocks) {
    memory.VirtualFree(block, 0, vantrel::platform::kMemRelease);
  }
}

void pass(std::int32_t megabytes) {
  vantrel::TMaxMem maxMem(nullptr, vantrel::bench::systemMemory());
  maxMem.Defrag(megabytes);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 7;
  std::printf("%-8s %12s %12s %8s\n", "MB", "pass MB/s", "memset MB/s", "ratio");
  for (const std::int32_t megabytes : {256, 1024}) {
    std::vector<double> passTimes;
    std::vector<double> referenceTimes;
    std::vector<double> ratios;
    for (int round = 0; round < rounds; ++round) {
      // Alternate the order so that neither side always finds the pages the other has just given back.
      const bool passFirst = round % 2 == 0;
      const double first = secondsOf(passFirst ? pass : reference, megabytes);
      const double second = secondsOf(passFirst ? reference : pass, megabytes);
      passTimes.push_back(passFirst ? first : second);
      referenceTimes.push_back(passFirst ? second : first);
      ratios.push_back(passTimes.back() / referenceTimes.back());
    }
    std::printf("%-8d %12.0f %12.0f %8.3f\n", megabytes, megabytes / vantrel::bench::median(passTimes),
                megabytes / vantrel::bench::median(referenceTimes), vantrel::bench::median(ratios));
  }
  return 0;
}
