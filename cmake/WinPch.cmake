# Precompiled headers for the Windows targets.  Parsing <windows.h> takes
# most of the time a source file needs to compile; precompiling it once per
# target makes a build about three times faster.
#
# ts_windows_pch(TARGET)        the system headers the library sources use
# ts_test_pch(TARGET [FROM T])  the same plus GoogleTest; with FROM, reuses the
#                               header precompiled for T (same options)
set(TS_WINDOWS_PCH <windows.h> <dde.h> <cstdio> <cstdlib> <cstring> <algorithm>
    <array> <span> <string> <string_view> <vector>)

function(ts_windows_pch target)
  target_precompile_headers(${target} PRIVATE ${TS_WINDOWS_PCH})
endfunction()

function(ts_test_pch target)
  cmake_parse_arguments(A "" "FROM" "" ${ARGN})
  if(A_FROM)
    target_precompile_headers(${target} REUSE_FROM ${A_FROM})
  else()
    target_precompile_headers(${target} PRIVATE <gtest/gtest.h> ${TS_WINDOWS_PCH})
  endif()
endfunction()
