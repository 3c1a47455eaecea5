# Cross-compiling the Windows tests a second time, 64-bit, for machines whose
# kernel cannot run the 32-bit Wine loader. Nothing of this tree ships.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VR_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
