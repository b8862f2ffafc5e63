# Windows has no Debian libraries to link against: Dear ImGui is compiled from its Debian sources
# and stb from Debian's headers, each as a static library of which every binary keeps its own copy.
set(RAFTA_IMGUI_SOURCE_DIR "" CACHE PATH "Dear ImGui's unpacked sources, of the version Linux links")
if(NOT EXISTS "${RAFTA_IMGUI_SOURCE_DIR}/imgui.cpp")
  message(FATAL_ERROR "RAFTA_IMGUI_SOURCE_DIR must name Dear ImGui's unpacked sources "
                      "(scripts/install-windows-deps.sh DIR unpacks them)")
endif()
add_library(rafta_imgui STATIC
  ${RAFTA_IMGUI_SOURCE_DIR}/imgui.cpp
  ${RAFTA_IMGUI_SOURCE_DIR}/imgui_draw.cpp
  ${RAFTA_IMGUI_SOURCE_DIR}/imgui_tables.cpp
  ${RAFTA_IMGUI_SOURCE_DIR}/imgui_widgets.cpp)
target_include_directories(rafta_imgui SYSTEM PUBLIC ${RAFTA_IMGUI_SOURCE_DIR})
# In the language version Debian compiles it with; C++20 deprecates some of its flag arithmetic.
set_target_properties(rafta_imgui PROPERTIES CXX_STANDARD 17)
add_library(Rafta::imgui ALIAS rafta_imgui)

# Only the simulated host decodes and writes pictures; a module built against the real host does not.
if(NOT RAFTA_HOST_SDK)
  find_path(RAFTA_STB_INCLUDE_DIR stb/stb_image.h PATHS /usr/include NO_DEFAULT_PATH
            NO_CMAKE_FIND_ROOT_PATH)
  if(NOT RAFTA_STB_INCLUDE_DIR)
    message(FATAL_ERROR "stb's headers (Debian's libstb-dev) not found")
  endif()
  # stb's folder alone: the whole of /usr/include would hide MinGW's C library headers.
  set(stb_include ${CMAKE_BINARY_DIR}/stb-include)
  file(MAKE_DIRECTORY ${stb_include})
  file(CREATE_LINK ${RAFTA_STB_INCLUDE_DIR}/stb ${stb_include}/stb SYMBOLIC)
  add_library(rafta_stb STATIC ${PROJECT_SOURCE_DIR}/source/sim/StbImplementation.cpp)
  target_include_directories(rafta_stb SYSTEM PUBLIC ${stb_include})
  add_library(Rafta::stb ALIAS rafta_stb)
endif()
