# The module for the real host: compiled against the SDK that the host installs (its include/
# replaces source/host, its import library pluginsdk.lib replaces raftahost) and against the copy
# of Dear ImGui the host distributes, whose context layout is the one the host hands over.

# The host records its folder per user; the SDK sits in it.
set(host_folder "")
if(CMAKE_HOST_WIN32)
  cmake_host_system_information(RESULT host_folder QUERY WINDOWS_REGISTRY
                                "HKCU/Software/BakkesMod/AppPath" VALUE "BakkesModPath")
endif()
if(NOT host_folder AND DEFINED ENV{APPDATA})
  file(TO_CMAKE_PATH "$ENV{APPDATA}/bakkesmod/bakkesmod" host_folder)
endif()
set(RAFTA_HOST_FOLDER "${host_folder}" CACHE PATH "The host's own folder (plugins, data, the SDK)")
if(NOT RAFTA_HOST_SDK)
  set(RAFTA_HOST_SDK "${RAFTA_HOST_FOLDER}/bakkesmodsdk" CACHE PATH "The host's SDK" FORCE)
endif()
set(RAFTA_HOST_IMGUI_DIR "${RAFTA_HOST_SDK}/imgui" CACHE PATH
    "The Dear ImGui sources the host distributes with its SDK")

set(import_library "${RAFTA_HOST_SDK}/lib/pluginsdk.lib")
if(NOT EXISTS "${RAFTA_HOST_SDK}/include/bakkesmod/plugin/bakkesmodplugin.h")
  message(FATAL_ERROR "The host's SDK headers are not in '${RAFTA_HOST_SDK}/include'. Install the "
                      "host, or give its SDK folder with -DRAFTA_HOST_SDK=<folder>.")
endif()
if(NOT EXISTS "${import_library}")
  message(FATAL_ERROR "The host's import library '${import_library}' is missing. Give the SDK "
                      "folder with -DRAFTA_HOST_SDK=<folder>.")
endif()

add_library(rafta_host_api INTERFACE)
target_include_directories(rafta_host_api SYSTEM INTERFACE "${RAFTA_HOST_SDK}/include")
add_library(rafta_host_sdk INTERFACE)
target_link_libraries(rafta_host_sdk INTERFACE rafta_host_api "${import_library}")
add_library(Rafta::host ALIAS rafta_host_sdk)

include(${CMAKE_CURRENT_LIST_DIR}/ImGuiSources.cmake)
rafta_imgui_from_sources("${RAFTA_HOST_IMGUI_DIR}"
                         "give the host's copy with -DRAFTA_HOST_IMGUI_DIR=<folder>")

# The host's plugin template runs this tool on every module it builds.
find_program(RAFTA_HOST_PATCH_TOOL bakkesmod-patch.exe
             HINTS "${RAFTA_HOST_FOLDER}" "${RAFTA_HOST_SDK}" NO_DEFAULT_PATH)
