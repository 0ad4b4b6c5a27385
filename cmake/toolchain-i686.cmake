# The i686 Windows build.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(PAGRION_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
