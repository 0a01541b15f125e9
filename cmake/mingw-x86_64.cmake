# The x64 build.
set(VANTREL_MINGW_ARCH x86_64)
# The oldest Windows it runs on: Windows XP x64 Edition and Windows Server 2003.
set(VANTREL_WINDOWS_VERSION 5.2)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
