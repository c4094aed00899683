# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (posix thread model, which Qt
# needs for std::thread and its own QThread).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ORVEX_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ORVEX_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORVEX_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ORVEX_MINGW_PREFIX}-windres)
# Qt for Windows is found where it was installed (CMAKE_FIND_ROOT_PATH given on the command
# line), the rest in the compiler's own tree.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${ORVEX_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
