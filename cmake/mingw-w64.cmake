# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (the POSIX
# threads flavour, which has std::thread). Programs built with it run here
# under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SCANLORE_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${SCANLORE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SCANLORE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${SCANLORE_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SCANLORE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No DLLs of the compiler's runtime to carry around: every program is one
# file that runs on a bare Windows (and in a fresh Wine prefix).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Debian's wine64 package keeps its loader out of PATH.
find_program(SCANLORE_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(SCANLORE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${SCANLORE_WINE})
endif()
