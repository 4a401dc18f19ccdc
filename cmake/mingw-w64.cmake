# Cross-compiling for Windows with Debian's mingw-w64 (the POSIX thread model, so that the
# standard library's threads and mutexes are there), programs linked statically so that they
# need no DLL beyond Windows' own, and run here by Wine. The architecture's toolchain file sets
# QUORBIT1_MINGW (the compilers' prefix) and the processor, then includes this one.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${QUORBIT1_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUORBIT1_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${QUORBIT1_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QUORBIT1_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
find_program(QUORBIT1_WINE wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QUORBIT1_WINE})
