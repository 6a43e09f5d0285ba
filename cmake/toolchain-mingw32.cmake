# Cross-compiles for 32-bit Windows with MinGW-w64. The posix thread model
# compilers are used because the win32 ones lack std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(VELMORAN_MINGW_PREFIX i686-w64-mingw32)

set(CMAKE_C_COMPILER ${VELMORAN_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELMORAN_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VELMORAN_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VELMORAN_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Both programs must run with nothing but the system's own DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Single-precision arithmetic in SSE registers, as on x86_64: x87 arithmetic
# carries floats at 80 bits between statements, so the frame timer, the fades
# and the spawn test would round differently from the 32-bit floats they are
# written in. (Floats still come back from functions in the x87 register, as
# the calling convention says; only the arithmetic moves.) MinGW's i686
# compilers realign the stack where SSE needs it (-mstackrealign is on).
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
