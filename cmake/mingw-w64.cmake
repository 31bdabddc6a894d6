# Cross build for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64, posix threads),
# run under Wine. Only the Qt-free libraries and their tests are built this way:
#   cmake -S . -B build-mingw -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DLUMAVEIL_BUILD_GUI=OFF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The posix-threads runtime would otherwise need libwinpthread-1.dll, libstdc++-6.dll and
# libgcc_s_seh-1.dll next to every program; linked in, an .exe runs anywhere on its own.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(LUMAVEIL_WINE NAMES wine64 wine HINTS /usr/lib/wine)
if(LUMAVEIL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${LUMAVEIL_WINE})
endif()
# Listing each test program's cases at build time would start Wine during the build; ctest
# lists them when it runs instead.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
