# Cross build for Windows with the MinGW-w64 compilers of PAGRION_TRIPLE, set by the toolchain file
# of each target; the programs run under Wine. The compilers of the win32 thread model build on
# Windows' own threads: the posix model would link its thread library into every program,
# about a tenth of the launcher.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${PAGRION_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${PAGRION_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${PAGRION_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PAGRION_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# CTest runs every test program through Wine, in the build folder's own prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
