# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 compilers (the
# posix-thread variants: Qt's and the program's std::thread and std::mutex
# need them). MUREL_WINDOWS_PREFIX is the cross-built Qt and liblzma
# (scripts/windows/build-qt prints it); libraries and headers are looked up
# there and in the compilers' own tree, never in the build machine's.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MUREL_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MUREL_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MUREL_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${MUREL_MINGW}-windres)
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES MUREL_WINDOWS_PREFIX)
set(CMAKE_FIND_ROOT_PATH /usr/${MUREL_MINGW})
if(MUREL_WINDOWS_PREFIX)
  list(APPEND CMAKE_FIND_ROOT_PATH ${MUREL_WINDOWS_PREFIX})
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
