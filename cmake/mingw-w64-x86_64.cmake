# Cross-compiles Windows x86-64 programs with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix, the
# variant with std::thread). Use: cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Libraries and headers come from the MinGW tree only, never from the host's /usr.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The programs carry the C++ runtime and winpthreads, so they need no MinGW DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Tests built here run under Wine (Debian's `wine` runs wine64 when there is no wine32).
find_program(ZELBOR_WINE NAMES wine64 wine)
if(ZELBOR_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZELBOR_WINE})
endif()
