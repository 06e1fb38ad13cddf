# 32-bit Windows, the shipped program. Nothing built with it runs on a machine without
# 32-bit support; see x86_64-w64-mingw32.cmake for the build the tests run from.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(MORVANE_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
