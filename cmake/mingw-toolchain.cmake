# Cross build for Windows with the MinGW-w64 posix-thread compilers of PAGRION_TRIPLE, set by the
# toolchain file of each target; the programs run under Wine.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${PAGRION_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PAGRION_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${PAGRION_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PAGRION_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# CTest runs every test program through Wine, in the build folder's own prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
