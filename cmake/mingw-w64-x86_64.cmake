# Cross build of the platform layer for 64-bit Windows with Debian's mingw-w64 (posix threads), e.g.
#   cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DTROMBUS_PLATFORM_ONLY=ON
# The programs link libgcc, libstdc++ and winpthread statically, so an .exe runs under Wine (or on Windows)
# without any of the compiler's DLLs beside it. ctest runs them through Wine when it is installed.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TROMBUS_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TROMBUS_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TROMBUS_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TROMBUS_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TROMBUS_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    find_program(TROMBUS_WINE wine)
    if(TROMBUS_WINE)
        set(CMAKE_CROSSCOMPILING_EMULATOR ${TROMBUS_WINE})
    endif()
endif()
