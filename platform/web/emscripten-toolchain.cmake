# Emscripten from Debian's package. Its JavaScript optimiser needs the system's Node.js
# modules (acorn), so links run with NODE_PATH pointing at them.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
