# Fails when a source includes a header from a layer above its own. The
# program's folders are layers, bottom to top:
#   1 text/ ui/ platform/   the text view's arithmetic, windows as data, the interfaces
#   2 common/               the shared state and its helpers
#   3 diagnosis/            the rules the windows only display
#   4 net/                  the upload
#   5 forms/                the form runtime and one folder per window
#   6 app/                  the program object, the one place that knows every window
# An include may go to its own layer or down. win32/, the host beside the
# core, may include text/, ui/, platform/, common/ and itself; only
# win32/main.cpp may include app/, to start the program.
#
#   cmake -DSOURCE_DIR=<repository> -P check_layers.cmake
cmake_minimum_required(VERSION 3.25)

set(rank_text 1)
set(rank_ui 1)
set(rank_platform 1)
set(rank_common 2)
set(rank_diagnosis 3)
set(rank_net 4)
set(rank_forms 5)
set(rank_app 6)
# The host and the test code sit above every core layer.
set(rank_win32 7)
set(rank_tests 8)
set(rank_tools 8)
set(core_folders text ui platform common diagnosis net forms app)
set(win32_may_include text ui platform common win32)

function(layer_name folder out)
  if(folder STREQUAL "win32")
    set(${out} "win32 (the host)" PARENT_SCOPE)
  elseif(DEFINED rank_${folder})
    set(${out} "${folder} (layer ${rank_${folder}})" PARENT_SCOPE)
  else()
    set(${out} "${folder}" PARENT_SCOPE)
  endif()
endfunction()

set(violations 0)
set(checked 0)
foreach(folder IN LISTS core_folders ITEMS win32)
  file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/${folder}/*.h"
       "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(source IN LISTS sources)
    file(READ "${SOURCE_DIR}/${source}" content)
    string(REGEX MATCHALL "(^|\n)[ \t]*#[ \t]*include[ \t]*\"[a-z0-9_]+/[^\"\n]*\"" includes
           "${content}")
    foreach(include IN LISTS includes)
      string(REGEX REPLACE "^\n" "" include "${include}")
      string(REGEX REPLACE "^[^\"]*\"([a-z0-9_]+)/.*$" "\\1" target "${include}")
      math(EXPR checked "${checked} + 1")
      if(folder STREQUAL "win32")
        if(target IN_LIST win32_may_include OR (target STREQUAL "app" AND source STREQUAL "win32/main.cpp"))
          continue()
        endif()
      elseif(DEFINED rank_${target} AND rank_${target} LESS_EQUAL rank_${folder})
        continue()
      endif()
      string(FIND "${content}" "${include}" position)
      string(SUBSTRING "${content}" 0 ${position} before)
      string(REGEX MATCHALL "\n" breaks "${before}")
      list(LENGTH breaks line)
      math(EXPR line "${line} + 1")
      string(STRIP "${include}" include)
      layer_name(${folder} from)
      layer_name(${target} to)
      message(SEND_ERROR "${source}:${line}: ${include} goes up from ${from} to ${to}")
      math(EXPR violations "${violations} + 1")
    endforeach()
  endforeach()
endforeach()

if(violations GREATER 0)
  message(FATAL_ERROR "${violations} include(s) go up a layer; an include may only go to its own layer or down (cmake/check_layers.cmake)")
endif()
message(STATUS "layers: ${checked} includes checked, none goes up a layer")
