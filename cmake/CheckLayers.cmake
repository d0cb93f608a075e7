# Fails when a file of one layer of the core includes a header of a layer above it. Run at every
# build (the layer-check target), so an upward include is refused before anything compiles.
# Usage: cmake -DSRC=<src folder> -DSTAMP=<file to touch> -P CheckLayers.cmake
#
# Each layer, lowest first, with the layers it may include (its own always).
cmake_minimum_required(VERSION 3.25)

set(allowed_files "")
set(allowed_rules "")
set(allowed_ai "rules;files")
set(allowed_game "ai;rules")
set(allowed_persistence "game;ai;rules;files")
set(allowed_net "game;ai;rules;files")
set(layers files rules ai game persistence net)

set(faults "")
foreach(layer ${layers})
  file(GLOB sources ${SRC}/${layer}/*.h ${SRC}/${layer}/*.cpp)
  foreach(source ${sources})
    file(STRINGS ${source} qt_includes REGEX "^[ \t]*#[ \t]*include[ \t]*<Q")
    if(qt_includes)
      file(RELATIVE_PATH shown ${SRC} ${source})
      string(APPEND faults "  ${shown}: no Qt below src/ui\n")
    endif()
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[A-Za-z_]+/")
    foreach(line ${includes})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([A-Za-z_]+)/.*" "\\1" target "${line}")
      if(NOT target STREQUAL layer AND NOT target IN_LIST allowed_${layer})
        file(RELATIVE_PATH shown ${SRC} ${source})
        string(APPEND faults "  ${shown}: ${layer} may not include ${target}/\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults)
  message(FATAL_ERROR "Includes that run against the layers of the core:\n${faults}")
endif()
if(STAMP)
  file(TOUCH ${STAMP})
endif()
