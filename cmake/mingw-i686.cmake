# The x86 release build.
set(VANTREL_MINGW_ARCH i686)
# The oldest Windows it runs on: Windows XP.
set(VANTREL_WINDOWS_VERSION 5.1)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
