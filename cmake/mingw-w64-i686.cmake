# 32-bit Windows (x86), as the calculator first ran on: SSE2 arithmetic, as on every other
# target, so that its answers have the same bits.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QUORBIT1_MINGW i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
