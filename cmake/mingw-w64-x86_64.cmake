# Cross-builds the Windows program with MinGW-w64 (Debian: g++-mingw-w64-x86-64,
# libz-mingw-w64-dev):
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# The result is a static zmlfc.exe that needs no DLL beside the system's own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZMLFC_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZMLFC_MINGW_PREFIX}-gcc)
set(CMAKE_CXX_COMPILER ${ZMLFC_MINGW_PREFIX}-g++)
set(CMAKE_RC_COMPILER ${ZMLFC_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZMLFC_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# zlib's libz.a rather than its import library, and the C++ runtime linked
# in: the program must run from a bare copy of the .exe.
set(ZLIB_USE_STATIC_LIBS ON)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
