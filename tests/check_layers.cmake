# Fails when a layer includes a layer above it, or when the Qt-free code includes Qt.
#   cmake -DSOURCE_DIR=<source tree> -P check_layers.cmake
# From the bottom: engine < files < ui < editor, dialogs, simulation < app, and the plant
# models (simulation/plants) and the network interfaces (simulation/io) use only the engine.
# The tools use engine, files, the plant models and the network interfaces; the picture
# painter also the artwork of ui. Only the settings store of files may use Qt (QtCore); the
# plant models and the network interfaces none.
cmake_minimum_required(VERSION 3.25)

# A layer is a folder; simulation/plants and simulation/io are layers of their own inside
# simulation.
set(layers engine files simulation/plants simulation/io ui editor dialogs simulation app tools)
set(below_engine engine)
set(below_files engine files)
set(below_ui engine files ui)
set(below_editor engine files ui editor)
set(below_dialogs engine files ui dialogs)
set(below_simulation/plants engine simulation/plants)
set(below_simulation/io engine simulation/io)
set(below_simulation engine files simulation/plants simulation/io ui simulation)
set(below_app ${layers})
list(REMOVE_ITEM below_app tools)
set(below_tools engine files simulation/plants simulation/io tools)
set(below_paint_pictures ${below_tools} ui)

set(problems "")
foreach(layer IN LISTS layers)
  file(GLOB_RECURSE sources ${SOURCE_DIR}/${layer}/*.h ${SOURCE_DIR}/${layer}/*.cpp)
  if(layer STREQUAL "simulation")
    list(FILTER sources EXCLUDE REGEX "/simulation/(plants|io)/")
  endif()
  foreach(source IN LISTS sources)
    get_filename_component(name ${source} NAME_WE)
    if(DEFINED below_${name})
      set(allowed ${below_${name}})
    else()
      set(allowed ${below_${layer}})
    endif()
    set(qtFree FALSE)
    if(layer STREQUAL "engine" OR layer STREQUAL "simulation/plants"
       OR layer STREQUAL "simulation/io" OR (layer STREQUAL "files" AND NOT name STREQUAL "settings_store"))
      set(qtFree TRUE)
    endif()
    file(RELATIVE_PATH shown ${SOURCE_DIR} ${source})
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
      set(target "")
      if(line MATCHES "include[ \t]*[\"<](simulation/(plants|io))/")
        set(target ${CMAKE_MATCH_1})
      elseif(line MATCHES "include[ \t]*[\"<]([a-z_]+)/")
        set(target ${CMAKE_MATCH_1})
      endif()
      if(target IN_LIST layers AND NOT target IN_LIST allowed)
        list(APPEND problems "${shown}: ${layer} may not include ${target}: ${line}")
      endif()
      if(qtFree AND line MATCHES "include[ \t]*[\"<](Q[A-Za-z]|q[a-z0-9_]+\\.h)")
        list(APPEND problems "${shown}: no Qt here: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "Layering broken:\n  ${text}")
endif()
