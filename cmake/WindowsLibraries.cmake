# Windows has no Debian libraries to link against: Dear ImGui is compiled from its Debian sources
# and stb from Debian's headers, each as a static library of which every binary keeps its own copy.
include(${CMAKE_CURRENT_LIST_DIR}/ImGuiSources.cmake)
set(RAFTA_IMGUI_SOURCE_DIR "" CACHE PATH "Dear ImGui's unpacked sources, of the version Linux links")
rafta_imgui_from_sources("${RAFTA_IMGUI_SOURCE_DIR}"
                         "set RAFTA_IMGUI_SOURCE_DIR (scripts/install-windows-deps.sh DIR unpacks them)")

find_path(RAFTA_STB_INCLUDE_DIR stb/stb_image.h PATHS /usr/include NO_DEFAULT_PATH
          NO_CMAKE_FIND_ROOT_PATH)
if(NOT RAFTA_STB_INCLUDE_DIR)
  message(FATAL_ERROR "stb's headers (Debian's libstb-dev) not found")
endif()
# stb's folder alone: the whole of /usr/include would hide MinGW's C library headers.
set(stb_include ${CMAKE_BINARY_DIR}/stb-include)
file(MAKE_DIRECTORY ${stb_include})
file(CREATE_LINK ${RAFTA_STB_INCLUDE_DIR}/stb ${stb_include}/stb SYMBOLIC)
add_library(rafta_stb STATIC ${CMAKE_CURRENT_LIST_DIR}/StbImplementation.cpp)
target_include_directories(rafta_stb SYSTEM PUBLIC ${stb_include})
add_library(Rafta::stb ALIAS rafta_stb)
