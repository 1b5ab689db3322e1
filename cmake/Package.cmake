# What `cmake --install` lays out (and `make dist` packs):
#   include/tscore32.h
#   bin/      tscore32.dll, helio32.dll, vwrec.exe
#   lib/      libtscore32.a, libhelio32.a (mingw), tscore32.lib, helio32.lib (MSVC)
#   lib/cmake/tscore32/   the package configuration, tscore32_add_views and
#                         the mingw toolchain files
#   libexec/tscore32/vwrec   vwrec for the machine the package was built on
include(CMakePackageConfigHelpers)
set(TS_PACKAGE_DIR lib/cmake/tscore32)
set(TS_HOST_KIND ${CMAKE_HOST_SYSTEM_NAME}-${CMAKE_HOST_SYSTEM_PROCESSOR})

install(FILES ${CMAKE_SOURCE_DIR}/tscore32.h DESTINATION include)
install(TARGETS tscore32 helio32 vwrec RUNTIME DESTINATION bin)
install(FILES ${CMAKE_ARCHIVE_OUTPUT_DIRECTORY}/libtscore32.a ${CMAKE_ARCHIVE_OUTPUT_DIRECTORY}/libhelio32.a
        DESTINATION lib)
if(TS_LLVM_DLLTOOL)
  install(FILES ${CMAKE_ARCHIVE_OUTPUT_DIRECTORY}/tscore32.lib ${CMAKE_ARCHIVE_OUTPUT_DIRECTORY}/helio32.lib
          DESTINATION lib)
endif()
install(PROGRAMS ${TS_HOST_VWREC} DESTINATION libexec/tscore32)

configure_file(${CMAKE_CURRENT_LIST_DIR}/tscore32Config.cmake.in
               ${CMAKE_BINARY_DIR}/package/tscore32Config.cmake @ONLY)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/package/tscore32ConfigVersion.cmake
                                 VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/package/tscore32Config.cmake
              ${CMAKE_BINARY_DIR}/package/tscore32ConfigVersion.cmake
              ${CMAKE_CURRENT_LIST_DIR}/tscore32Views.cmake
              ${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake
              ${CMAKE_CURRENT_LIST_DIR}/toolchain-i686.cmake
              ${CMAKE_CURRENT_LIST_DIR}/toolchain-x86_64.cmake
        DESTINATION ${TS_PACKAGE_DIR})
