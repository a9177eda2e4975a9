# cmake/mingw-x86_64.cmake: cross-compiles for 64-bit Windows: the twins that the tests run
# where the machine cannot execute 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
