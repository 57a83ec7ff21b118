# Cross-compiles the program for 32-bit Windows with MinGW-w64 and runs its
# tests under Wine. The -posix compiler is required: GoogleTest needs
# std::thread and std::mutex, which the -win32 variant lacks.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(_prefix i686-w64-mingw32)
find_program(CMAKE_C_COMPILER ${_prefix}-gcc-posix)
find_program(CMAKE_CXX_COMPILER ${_prefix}-g++-posix)
find_program(CMAKE_RC_COMPILER ${_prefix}-windres)
foreach(_tool CMAKE_C_COMPILER CMAKE_CXX_COMPILER CMAKE_RC_COMPILER)
  if(NOT ${_tool})
    message(FATAL_ERROR "${_tool} not found: install g++-mingw-w64-i686 (run scripts/install-deps.sh)")
  endif()
endforeach()

# Every Windows test runs through this wrapper, which runs it under Wine in the
# build tree's private prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-exec.sh)

set(CMAKE_FIND_ROOT_PATH /usr/${_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
