# tscore32_add_views(TARGET VIEW.txt...)
#
# Compiles view-definition records written as text into TARGET's resources.
# Each file becomes the RCDATA resource named like the file without its
# extension (Customer.txt -> "Customer", 101.txt -> integer identifier 101),
# which the view with the dialog template of that name reads.  Relative
# paths are taken from the current source folder.
#
# The compiler is the vwrec command in TSCORE32_VWREC (a program path, or a
# list such as "wine;C:/tscore32/bin/vwrec.exe"); TSCORE32_VWREC_DEPENDS may
# name a target that builds it.
function(tscore32_add_views target)
  if(NOT TSCORE32_VWREC)
    message(FATAL_ERROR "tscore32_add_views: no vwrec to compile view records with; "
                        "set TSCORE32_VWREC to a vwrec that runs on this machine")
  endif()
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_views)
  set(rc "// View-definition records of ${target}, compiled from text by vwrec.\n")
  set(records)
  foreach(src IN LISTS ARGN)
    get_filename_component(text ${src} ABSOLUTE)
    get_filename_component(name ${src} NAME_WE)
    set(record ${dir}/${name}.bin)
    add_custom_command(OUTPUT ${record}
      COMMAND ${TSCORE32_VWREC} compile ${text} -o ${record}
      DEPENDS ${text} ${TSCORE32_VWREC_DEPENDS}
      COMMENT "View record ${name}"
      VERBATIM)
    string(APPEND rc "${name} RCDATA \"${record}\"\n")
    list(APPEND records ${record})
  endforeach()
  set(script ${dir}/views.rc)
  file(CONFIGURE OUTPUT ${script} CONTENT "${rc}" @ONLY)
  add_custom_target(${target}_views DEPENDS ${records})
  add_dependencies(${target} ${target}_views)
  target_sources(${target} PRIVATE ${script})
  set_source_files_properties(${script} TARGET_DIRECTORY ${target} PROPERTIES OBJECT_DEPENDS "${records}")
endfunction()
