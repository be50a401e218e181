# Cross-building for 64-bit Windows with Debian's mingw-w64 (the -posix compilers: std::thread, std::mutex).
# scripts/windows.sh builds Qt with it; the program is then built with Qt's own toolchain file, which loads this one.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The compiler's own runtimes (libgcc, libstdc++, winpthread) linked in: each .exe runs alone, with no DLL beside it
# but those of Windows.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
