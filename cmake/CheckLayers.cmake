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

# Every folder of src/ that is a layer: an include that reaches one is checked, whatever it
# reaches otherwise (the standard library, a system header) is not.
set(layer_folders files rules ai game persistence net ui app)
cmake_path(SET root NORMALIZE "${SRC}")

# The layer that `included` reaches when it is looked for from `base`; empty when that is no
# layer's folder. Every spelling counts: "game/X.h", <game/X.h>, "../game/X.h", "rules/../game/X.h".
function(layer_reached included base out)
  cmake_path(ABSOLUTE_PATH included BASE_DIRECTORY "${base}" NORMALIZE OUTPUT_VARIABLE full)
  set(reached "")
  cmake_path(IS_PREFIX root "${full}" NORMALIZE inside)
  if(inside)
    cmake_path(RELATIVE_PATH full BASE_DIRECTORY "${root}" OUTPUT_VARIABLE below)
    if(below MATCHES "^([^/]+)/" AND CMAKE_MATCH_1 IN_LIST layer_folders)
      set(reached ${CMAKE_MATCH_1})
    endif()
  endif()
  set(${out} "${reached}" PARENT_SCOPE)
endfunction()

set(faults "")
foreach(layer ${layers})
  file(GLOB sources ${SRC}/${layer}/*.h ${SRC}/${layer}/*.cpp)
  foreach(source ${sources})
    file(RELATIVE_PATH shown ${SRC} ${source})
    file(STRINGS ${source} qt_includes REGEX "^[ \t]*#[ \t]*include[ \t]*<Q")
    if(qt_includes)
      string(APPEND faults "  ${shown}: no Qt below src/ui\n")
    endif()
    # An include is looked for beside the including file first and then from src/ (the folder the
    # layers are included from): it is refused when either finds a layer it may not include.
    get_filename_component(folder ${source} DIRECTORY)
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line ${includes})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*).*" "\\1" included "${line}")
      foreach(base "${folder}" "${root}")
        layer_reached("${included}" "${base}" target)
        if(target AND NOT target STREQUAL layer AND NOT target IN_LIST allowed_${layer})
          string(APPEND faults "  ${shown}: ${layer} may not include ${target}/ (${included})\n")
          break()
        endif()
      endforeach()
    endforeach()
  endforeach()
endforeach()

if(faults)
  message(FATAL_ERROR "Includes that run against the layers of the core:\n${faults}")
endif()
if(STAMP)
  file(TOUCH ${STAMP})
endif()
