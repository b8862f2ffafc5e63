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
