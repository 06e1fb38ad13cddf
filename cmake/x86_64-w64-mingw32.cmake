# 64-bit Windows: the same sources as the shipped 32-bit program, built to run the tests
# and the game under 64-bit Wine (wine64, called directly: /usr/bin/wine picks the 32-bit
# loader when 32-bit Wine is installed).
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(MORVANE_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
