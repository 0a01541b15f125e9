// mingw-w64 only. The runtime's default end for an exception that nothing caught writes the exception's
// demangled type to the console, which this windowed program has none of, and then aborts. The demangler it
// links in is a twentieth of the executable; defined here, ahead of the runtime library, the end is the same
// abort without it.
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
  std::abort();
}

}  // namespace __gnu_cxx
