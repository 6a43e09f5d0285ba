# Cross-compiles for 64-bit Windows with MinGW-w64. The posix thread model
# compilers are used because the win32 ones lack std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VELMORAN_MINGW_PREFIX x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${VELMORAN_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELMORAN_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VELMORAN_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VELMORAN_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Both programs must run with nothing but the system's own DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
