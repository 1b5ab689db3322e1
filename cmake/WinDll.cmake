# Helpers for the project's Windows DLLs.
#
# ts_add_dll(NAME EXPORTS file SOURCES ... [LIBS ...] [RC file])
#   Builds NAME.dll from an archive NAME_impl, with a module-definition file
#   generated from the export list (undecorated stdcall names on both
#   architectures), and an import library libNAME.a made by dlltool from the
#   same definition.  Consumers link the target NAME_import.  With
#   llvm-dlltool at hand, NAME.lib for MSVC linkers is made from the same
#   definition too (on i686 its symbols carry the stdcall decoration MSVC
#   compilers ask for, _vwCreateView@20, importing the plain name).

set(CMAKE_EXE_LINKER_FLAGS    "${CMAKE_EXE_LINKER_FLAGS} -static")
set(CMAKE_SHARED_LINKER_FLAGS "${CMAKE_SHARED_LINKER_FLAGS} -static")
set(TS_GEN_DEF ${CMAKE_CURRENT_LIST_DIR}/gen-def.sh)
set(TS_EMPTY_SOURCE ${CMAKE_CURRENT_LIST_DIR}/empty.c)
find_program(TS_LLVM_DLLTOOL NAMES llvm-dlltool llvm-dlltool-16 llvm-dlltool-15 llvm-dlltool-14)
if(NOT TS_LLVM_DLLTOOL)
  message(WARNING "llvm-dlltool not found: no import libraries for MSVC (lib/*.lib)")
endif()

function(ts_add_dll name)
  cmake_parse_arguments(A "" "EXPORTS;RC" "SOURCES;LIBS" ${ARGN})
  add_library(${name}_impl STATIC ${A_SOURCES})
  target_link_libraries(${name}_impl PUBLIC ${A_LIBS})

  set(def ${CMAKE_CURRENT_BINARY_DIR}/${name}.def)
  add_custom_command(OUTPUT ${def}
    COMMAND ${TS_GEN_DEF} ${CMAKE_NM} $<TARGET_FILE:${name}_impl> ${A_EXPORTS}
            ${name}.dll ${CMAKE_SYSTEM_PROCESSOR} ${def}
    DEPENDS ${name}_impl ${A_EXPORTS} ${TS_GEN_DEF}
    COMMENT "Export definitions of ${name}.dll")

  add_library(${name} SHARED ${TS_EMPTY_SOURCE} ${def} ${A_RC})
  set_target_properties(${name} PROPERTIES PREFIX "" IMPORT_PREFIX "dll-" )
  target_link_libraries(${name} PRIVATE -Wl,--whole-archive ${name}_impl -Wl,--no-whole-archive ${A_LIBS})
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    target_link_options(${name} PRIVATE -Wl,--kill-at)
  endif()

  # The import library applications link against.
  set(implib ${CMAKE_ARCHIVE_OUTPUT_DIRECTORY}/lib${name}.a)
  add_custom_command(OUTPUT ${implib}
    COMMAND ${TS_DLLTOOL} -d ${def} -l ${implib} -D ${name}.dll -k
    DEPENDS ${def}
    COMMENT "Import library lib${name}.a")
  set(msvclib)
  if(TS_LLVM_DLLTOOL)
    set(msvclib ${CMAKE_ARCHIVE_OUTPUT_DIRECTORY}/${name}.lib)
    if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
      set(machine -m i386 -k)
    else()
      set(machine -m i386:x86-64)
    endif()
    add_custom_command(OUTPUT ${msvclib}
      COMMAND ${TS_LLVM_DLLTOOL} ${machine} -d ${def} -l ${msvclib} -D ${name}.dll
      DEPENDS ${def}
      COMMENT "Import library ${name}.lib for MSVC")
  endif()
  add_custom_target(${name}_implib ALL DEPENDS ${implib} ${msvclib} ${name})
  add_library(${name}_import INTERFACE)
  add_dependencies(${name}_import ${name}_implib)
  target_link_libraries(${name}_import INTERFACE ${implib})
endfunction()
