# Cross-compiling the Windows programs as they ship: 32-bit.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VR_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
