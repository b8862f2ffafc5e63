# Everything built for the fuzzer carries its coverage and the sanitizers, so that a fault in the
# plugin or in the host shows where it happens; only the fuzz program links libFuzzer itself.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "RAFTA_BUILD_FUZZER needs clang (the fuzz preset uses clang++-14)")
endif()
set(RAFTA_FUZZ_SANITIZERS address,undefined,float-cast-overflow)
add_compile_options(-fsanitize=fuzzer-no-link,${RAFTA_FUZZ_SANITIZERS} -fno-sanitize-recover=all
                    -fno-omit-frame-pointer)
add_link_options(-fsanitize=${RAFTA_FUZZ_SANITIZERS})
