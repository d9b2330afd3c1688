# Building the browser page with Debian's emscripten (package emscripten): its own toolchain
# file, found beside the compiler driver.
find_program(PRINCE_EMCC emcc REQUIRED)
get_filename_component(prince_emcc_real ${PRINCE_EMCC} REALPATH)
get_filename_component(prince_emscripten_root ${prince_emcc_real} DIRECTORY)
include(${prince_emscripten_root}/cmake/Modules/Platform/Emscripten.cmake)

# The compiler driver runs node with Debian's own modules (acorn, from node-acorn), which a
# node other than Debian's does not look for by itself.
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
