# The module built against the real host's SDK instead of our declarations and host library: its
# include/ folder replaces source/host, the import libraries in its lib/ replace raftahost.
if(NOT EXISTS "${RAFTA_HOST_SDK}/include" OR NOT EXISTS "${RAFTA_HOST_SDK}/lib")
  message(FATAL_ERROR "RAFTA_HOST_SDK (${RAFTA_HOST_SDK}) needs an include/ and a lib/ folder")
endif()
file(GLOB sdk_libraries "${RAFTA_HOST_SDK}/lib/*.lib")
if(NOT sdk_libraries)
  message(FATAL_ERROR "RAFTA_HOST_SDK: no import library (*.lib) in ${RAFTA_HOST_SDK}/lib")
endif()

add_library(rafta_host_api INTERFACE)
target_include_directories(rafta_host_api SYSTEM INTERFACE "${RAFTA_HOST_SDK}/include")
add_library(rafta_host_sdk INTERFACE)
target_link_libraries(rafta_host_sdk INTERFACE rafta_host_api ${sdk_libraries})
add_library(Rafta::host ALIAS rafta_host_sdk)
