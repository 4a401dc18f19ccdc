# 64-bit Windows (x64).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QUORBIT1_MINGW x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
