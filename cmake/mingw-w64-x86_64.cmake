# Cross-compiling zindle.exe and the test suites for 64-bit Windows with
# mingw-w64. The posix-thread compilers: the win32 thread model has no
# std::mutex, which GoogleTest needs. The runtime is linked statically, so
# the programs import only system DLLs; ctest runs them through Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

# GCC 12 reports a false -Wrestrict on "literal" + std::string&& at -O2
# (GCC bug 105329); the native build's compiler is not affected. Functions
# and data in sections of their own let the linker drop what is unused.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict -ffunction-sections -fdata-sections")
