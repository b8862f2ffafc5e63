# Our own code builds without a single warning; third-party headers are included as system headers.
function(rafta_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4)
  else()
    target_compile_options(${target} PRIVATE
      -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wold-style-cast -Wcast-qual
      -Wformat=2 -Wnull-dereference -Wimplicit-fallthrough -Werror)
  endif()
endfunction()
