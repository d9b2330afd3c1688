# The same program for 64-bit Windows (g++-mingw-w64-x86-64). It is not delivered: the tests and
# benchmarks run it under 64-bit Wine where the kernel runs no 32-bit program.
set(PRINCE_MINGW_TARGET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-i686.cmake)
