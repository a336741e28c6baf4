# Cross build for 64-bit Windows with Debian's MinGW-w64 (posix threads model).
#   cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/x86_64-w64-mingw32.cmake
#
# Everything is linked statically (libgcc, libstdc++, winpthread and the third-party
# libraries), so a built module or program needs no MinGW runtime DLL beside it. Cross-built
# programs (tests, try-runs) run on the build machine through wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_tarvolt_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_tarvolt_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_tarvolt_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${_tarvolt_mingw}-windres)
set(CMAKE_AR ${_tarvolt_mingw}-ar CACHE FILEPATH "Archiver")
set(CMAKE_RANLIB ${_tarvolt_mingw}-ranlib CACHE FILEPATH "Archive indexer")

# Headers, libraries and packages come from the MinGW sysroot (plus whatever a project adds
# to CMAKE_FIND_ROOT_PATH); programs run during the build are the build machine's own.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${_tarvolt_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Windows keeps the stack only 16-byte aligned and GCC cannot realign it for 32- and 64-byte
# vectors, so an aligned AVX2/AVX-512 move to a stack slot would fault in a host: the assembler
# writes every aligned vector move as an unaligned one (just as fast on aligned data).
# scripts/windows/check-vector-moves.sh keeps the shipped module free of them.
set(CMAKE_C_FLAGS_INIT "-Wa,-muse-unaligned-vector-move")
set(CMAKE_CXX_FLAGS_INIT "-Wa,-muse-unaligned-vector-move")

foreach(_kind EXE SHARED MODULE)
    set(CMAKE_${_kind}_LINKER_FLAGS_INIT "-static")
endforeach()

set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../../scripts/windows/wine-run.sh")
