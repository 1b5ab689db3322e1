# Cross-compiling for Windows with mingw-w64 (posix thread model); the
# architecture's toolchain file sets CMAKE_SYSTEM_PROCESSOR first.
set(CMAKE_SYSTEM_NAME Windows)
set(TS_TRIPLE ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER   ${TS_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TS_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${TS_TRIPLE}-windres)
set(CMAKE_NM           ${TS_TRIPLE}-nm)
set(TS_DLLTOOL         ${TS_TRIPLE}-dlltool)
set(TS_OBJDUMP         ${TS_TRIPLE}-objdump)
set(CMAKE_FIND_ROOT_PATH /usr/${TS_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Inside this tree programs run in the test sessions' Wine; an application
# project using these files runs them with the machine's wine.
if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
else()
  find_program(TS_WINE NAMES wine wine64)
  if(TS_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TS_WINE})
  endif()
endif()
