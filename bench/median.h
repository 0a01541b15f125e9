// The middle of a benchmark's rounds: one slow round (a page-in, another process) does not move it.
#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

namespace vantrel::bench {

inline double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Microseconds per call of `run`, the median of `rounds` rounds of `calls` calls.
template <typename Run>
double microsecondsPerCall(int rounds, int calls, Run run) {
  std::vector<double> times;
  for (int round = 0; round < rounds; ++round) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i) {
      run();
    }
    times.push_back(
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() / calls);
  }
  return median(times);
}

}  // namespace vantrel::bench
