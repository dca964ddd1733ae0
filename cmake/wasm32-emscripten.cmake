# Building for WebAssembly with Debian's emscripten, running the build's own tools and the
# test suites under node, as the Windows build runs its own under wine. emcmake is not used:
# the node it names is given flags that newer nodes refuse.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
# emscripten's linker runs its scripts under node, with Debian's acorn.
set(ENV{NODE_PATH} /usr/share/nodejs)
set(CMAKE_CXX_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
# Exceptions as WebAssembly's own: without them a throw aborts the module, and emulated in
# JavaScript they slow a pass by two thirds. Every object and the library must agree.
set(CMAKE_CXX_FLAGS_INIT -fwasm-exceptions)
# Every program is by default one that node runs on the files of the machine; the page
# says otherwise for itself.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fwasm-exceptions -sALLOW_MEMORY_GROWTH=1 -sNODERAWFS=1")
# node's own fetch cannot load a module from a file, which emscripten's loader tries first.
set(CMAKE_CROSSCOMPILING_EMULATOR node --no-experimental-fetch)
