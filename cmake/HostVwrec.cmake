# A vwrec that runs on the build machine, for tscore32_add_views in a cross
# build of this tree.
include(ExternalProject)
if(CMAKE_HOST_WIN32)
  set(TS_HOST_VWREC ${CMAKE_BINARY_DIR}/vwrec-host/vwrec.exe)
else()
  set(TS_HOST_VWREC ${CMAKE_BINARY_DIR}/vwrec-host/vwrec)
endif()
ExternalProject_Add(vwrec_host
  SOURCE_DIR ${CMAKE_SOURCE_DIR}/tools/vwrec/host
  BINARY_DIR ${CMAKE_BINARY_DIR}/vwrec-host
  CMAKE_ARGS -DTS_ROOT=${CMAKE_SOURCE_DIR} -DCMAKE_BUILD_TYPE=Release
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${TS_HOST_VWREC}
  LOG_CONFIGURE ON)
set(TSCORE32_VWREC ${TS_HOST_VWREC})
set(TSCORE32_VWREC_DEPENDS vwrec_host ${TS_HOST_VWREC})
include(${CMAKE_CURRENT_LIST_DIR}/tscore32Views.cmake)
