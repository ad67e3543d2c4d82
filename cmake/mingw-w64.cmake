# Cross build for 64-bit Windows with MinGW-w64 from Linux (Debian: g++-mingw-w64-x86-64-posix).
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
# The posix-threads variant of the compiler is preferred: std::thread and std::mutex need it
# with GCC 12. When wine is installed, CMake uses it to run the built tests (ctest).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TAVREL_MINGW_TRIPLE x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${TAVREL_MINGW_TRIPLE}-gcc-posix ${TAVREL_MINGW_TRIPLE}-gcc
             REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${TAVREL_MINGW_TRIPLE}-g++-posix ${TAVREL_MINGW_TRIPLE}-g++
             REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${TAVREL_MINGW_TRIPLE}-windres)

# Headers and libraries only from the MinGW sysroot; programs (ninja, wine) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${TAVREL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(TAVREL_WINE NAMES wine wine64)
if(TAVREL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TAVREL_WINE})
endif()

# Wine shows the host's root folder as drive Z:; the tests reach the sources and the
# built program through it.
set(TAVREL_HOST_PATH_PREFIX "Z:" CACHE STRING "Drive under which the tests see host paths")

# Every program and DLL carries its C++ and threads runtime, so they run under wine (or
# on a machine without MinGW) with nothing beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
