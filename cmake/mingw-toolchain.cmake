# cmake/mingw-toolchain.cmake: Debian's MinGW-w64 cross compilers for the architecture that the
# including toolchain file names in CMAKE_SYSTEM_PROCESSOR (i686 or x86_64).
set(CMAKE_SYSTEM_NAME Windows)
set(_mingw ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)

# The posix-thread variant is the one that can build GoogleTest (it has std::mutex);
# the programs themselves use no threads, so it costs them nothing.
set(CMAKE_C_COMPILER   ${_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_mingw}-g++-posix)
set(CMAKE_RC_COMPILER  ${_mingw}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
