# The sanitizers every target of a build runs under, named once by the preset (RAFTA_SANITIZE, a
# -fsanitize list such as "address,undefined"): a finding stops the program where it happens.
set(RAFTA_SANITIZE "" CACHE STRING "Sanitizers for every target, as a -fsanitize= list; empty: none")
if(RAFTA_SANITIZE)
  # Unoptimised sanitized code is too slow for the fuzzer and the end-to-end tests.
  set(sanitizer_flags -fsanitize=${RAFTA_SANITIZE} -fno-sanitize-recover=all
      -fno-omit-frame-pointer)
  add_compile_options(${sanitizer_flags} $<$<CONFIG:Debug>:-O1>)
  add_link_options(${sanitizer_flags})
endif()

# Everything built for the fuzzer carries its coverage, and the sanitizers above, so that a fault in
# the plugin or in the host shows where it happens; only the fuzz program links libFuzzer itself.
option(RAFTA_BUILD_FUZZER "Build the libFuzzer session target, everything sanitized (clang only)" OFF)
if(RAFTA_BUILD_FUZZER)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "RAFTA_BUILD_FUZZER needs clang (the fuzz preset uses clang++-14)")
  endif()
  if(NOT RAFTA_SANITIZE)
    message(FATAL_ERROR "RAFTA_BUILD_FUZZER needs sanitizers: set RAFTA_SANITIZE (the fuzz preset does)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
