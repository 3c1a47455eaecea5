# What the 32-bit and 64-bit Windows toolchains share; the including file
# sets VR_MINGW_PREFIX and CMAKE_SYSTEM_PROCESSOR first.
# Posix thread model (std::thread), static C and C++ runtime so the programs
# need no DLLs beside the system's.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${VR_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VR_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VR_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VR_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
