// One fault plan for every fake: counts each named call and fails the N-th one, once or from then on.
#pragma once

#include <map>
#include <string>

namespace vantrel::fakes {

class FaultPlan {
 public:
  // Call number n (from 1) of `call` fails; with `persistent`, every later one too.
  void failOn(const std::string& call, int n, bool persistent = false) { plans_[call] = {n, persistent}; }
  void clear(const std::string& call) { plans_.erase(call); }

  // Counts one call of `call` and tells whether it is to fail.
  bool shouldFail(const std::string& call) {
    const int n = ++counts_[call];
    const auto plan = plans_.find(call);
    if (plan == plans_.end()) {
      return false;
    }
    return n == plan->second.n || (plan->second.persistent && n > plan->second.n);
  }

  int calls(const std::string& call) const {
    const auto count = counts_.find(call);
    return count == counts_.end() ? 0 : count->second;
  }

 private:
  struct Plan {
    int n;
    bool persistent;
  };
  std::map<std::string, Plan> plans_;
  std::map<std::string, int> counts_;
};

}  // namespace vantrel::fakes
