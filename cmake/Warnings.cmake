# Our own code builds without a single warning; third-party headers are included as system headers.
# Warnings stop the build only where we ask for it (our presets and CI): a packager's build, or one
# with a newer compiler, should not fail on a warning we have not seen yet.
option(RAFTA_WARNINGS_AS_ERRORS "Treat compiler warnings in our own code as errors" OFF)

function(rafta_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4)
  else()
    target_compile_options(${target} PRIVATE
      -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wold-style-cast -Wcast-qual
      -Wformat=2 -Wnull-dereference -Wimplicit-fallthrough)
  endif()
  # CMake's own switch: each compiler's spelling (-Werror, /WX), and a user's
  # --compile-no-warning-as-error still wins.
  if(RAFTA_WARNINGS_AS_ERRORS)
    set_target_properties(${target} PROPERTIES COMPILE_WARNING_AS_ERROR ON)
  endif()
endfunction()
