# Everything built for the fuzzer carries its coverage, and the sanitizers the preset names, so
# that a fault in the plugin or in the host shows where it happens; only the fuzz program links
# libFuzzer itself.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "RAFTA_BUILD_FUZZER needs clang (the fuzz preset uses clang++-14)")
endif()
if(NOT RAFTA_SANITIZE)
  message(FATAL_ERROR "RAFTA_BUILD_FUZZER needs sanitizers: set RAFTA_SANITIZE (the fuzz preset does)")
endif()
add_compile_options(-fsanitize=fuzzer-no-link)
