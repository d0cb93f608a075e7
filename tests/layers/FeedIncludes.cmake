# Feeds the layer check every spelling of an include, one at a time, each in a source tree of its
# own: a rules file that reaches up into the game layer must be refused however the include is
# written, and one that stays in its own layer or reaches no layer must pass.
# Usage: cmake -DCHECK=<CheckLayers.cmake> -DWORK=<scratch folder> -P FeedIncludes.cmake
cmake_minimum_required(VERSION 3.25)

set(upward
  [=[#include "game/GameState.h"]=]
  [=[#include <game/GameState.h>]=]
  [=[#include "../game/GameState.h"]=]
  [=[#include "./../game/GameState.h"]=]
  [=[#include "rules/../game/GameState.h"]=]
  [=[#include <rules/../game/GameState.h>]=]
  [=[#include "../../tree/game/GameState.h"]=]
  [=[  #  include"game/GameState.h"]=]
  [=[#include "ui/Shell.h"]=])
set(within
  [=[#include "rules/Position.h"]=]
  [=[#include <rules/Position.h>]=]
  [=[#include "Position.h"]=]
  [=[#include "../rules/Position.h"]=]
  [=[#include <vector>]=]
  [=[#include <gtest/gtest.h>]=]
  [=[// #include "game/GameState.h"]=])

set(failures "")
set(case 0)
foreach(kind upward within)
  foreach(line IN LISTS ${kind})
    math(EXPR case "${case} + 1")
    # Each case its own tree; the folder is named "tree" so that a spelling can climb out and back.
    set(tree ${WORK}/case-${case}/tree)
    file(REMOVE_RECURSE ${WORK}/case-${case})
    file(WRITE ${tree}/rules/Position.h "// The rules layer's own header.\n")
    file(WRITE ${tree}/game/GameState.h "// A header of the game layer, above rules.\n")
    file(WRITE ${tree}/rules/Reach.cpp "${line}\n")
    execute_process(COMMAND ${CMAKE_COMMAND} -DSRC=${tree} -P ${CHECK}
                    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(kind STREQUAL "upward")
      if(result EQUAL 0 OR NOT err MATCHES "rules/Reach.cpp: rules may not include (game|ui)/")
        string(APPEND failures "  not refused: ${line}\n")
      else()
        message(STATUS "refused: ${line}")
      endif()
    elseif(NOT result EQUAL 0)
      string(APPEND failures "  refused although it stays within bounds: ${line}\n${err}")
    else()
      message(STATUS "passed: ${line}")
    endif()
  endforeach()
endforeach()
file(REMOVE_RECURSE ${WORK})

if(failures)
  message(FATAL_ERROR "The layer check got these wrong:\n${failures}")
endif()
