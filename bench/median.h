// The middle of a benchmark's rounds: one slow round (a page-in, another process) does not move it.
#pragma once

#include <algorithm>
#include <vector>

namespace vantrel::bench {

inline double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace vantrel::bench
