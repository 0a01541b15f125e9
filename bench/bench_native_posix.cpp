// Without Windows, the benchmark's controls work headless, as in the unit tests.
#include "bench_native.h"
#include "fake_native_application.h"

namespace vantrel::bench {

std::unique_ptr<NativeApplication> nativeApplication() {
  return std::make_unique<fakes::FakeNativeApplication>();
}

}  // namespace vantrel::bench
