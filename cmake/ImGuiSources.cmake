# Dear ImGui compiled from a folder of its sources, as a static library of which every binary
# keeps its own copy. Releases before 1.80 have no tables file.
function(rafta_imgui_from_sources folder)
  if(NOT EXISTS "${folder}/imgui.cpp" OR NOT EXISTS "${folder}/imgui.h")
    message(FATAL_ERROR "Dear ImGui's sources not found in '${folder}': ${ARGN}")
  endif()
  set(sources ${folder}/imgui.cpp ${folder}/imgui_draw.cpp ${folder}/imgui_widgets.cpp)
  if(EXISTS "${folder}/imgui_tables.cpp")
    list(APPEND sources ${folder}/imgui_tables.cpp)
  endif()
  add_library(rafta_imgui STATIC ${sources})
  target_include_directories(rafta_imgui SYSTEM PUBLIC ${folder})
  # In the language version Dear ImGui is written for; C++20 deprecates some of its flag arithmetic.
  set_target_properties(rafta_imgui PROPERTIES CXX_STANDARD 17)
  add_library(Rafta::imgui ALIAS rafta_imgui)
endfunction()
