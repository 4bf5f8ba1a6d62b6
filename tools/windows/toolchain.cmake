# Cross-compiling for 64-bit Windows with Debian's MinGW-w64. The -posix compilers: the
# C++ library's threads need the POSIX thread model. KRAX_WINDOWS_DEPS names the prefix
# of the static libraries that build_deps.sh beside this file builds.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
# Every program is one file: the C and C++ runtimes and the thread library linked in,
# so it needs only the DLLs every Windows has.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Without a prefix named, the one for these sources and compilers, built if need be.
if(NOT KRAX_WINDOWS_DEPS)
  execute_process(COMMAND ${CMAKE_CURRENT_LIST_DIR}/build_deps.sh OUTPUT_VARIABLE KRAX_WINDOWS_DEPS
                  OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  set(KRAX_WINDOWS_DEPS ${KRAX_WINDOWS_DEPS} CACHE PATH "Prefix of the static libraries for Windows")
endif()
# Try-compiles see the prefix too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KRAX_WINDOWS_DEPS)

set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${KRAX_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
