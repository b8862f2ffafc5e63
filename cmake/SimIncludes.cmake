# Refuses an include in the simulated host (ROOT) that names a file by a relative path: it would
# reach a folder past the include roots that keep each folder to its dependencies.
file(GLOB_RECURSE files ${ROOT}/*.h ${ROOT}/*.cpp)
set(found "")
foreach(file IN LISTS files)
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]*\\.\\.")
  foreach(line IN LISTS lines)
    file(RELATIVE_PATH name ${ROOT} ${file})
    string(APPEND found "\n  ${name}: ${line}")
  endforeach()
endforeach()
if(found)
  message(FATAL_ERROR "Include another folder of the simulated host as \"sim/FOLDER/Name.h\":${found}")
endif()
