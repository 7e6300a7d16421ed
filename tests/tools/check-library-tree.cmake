# Reads the program's target graph (CMake's --graphviz output for a fresh
# configure of the sources) and fails when the libraries do not form the
# tree: every link must lead to a lower level, which also rules out a cycle,
# the core must link no Qt Gui, Widgets or Network, and the program itself
# must not link Qt Network by any path: it loads the network module when a
# server is first reached, and a start should not pay for it. With the sources at hand it
# also reads the #include "folder/..." lines of each library's folder: a
# header of a library at the same level or above is the same fault as the
# link, and one a link check cannot see while the header needs nothing
# compiled (a generated header, an inline function).
#   cmake -DSOURCE=<sources> -DSCRATCH=<empty folder> -P check-library-tree.cmake
# or, for a graph already written: -DGRAPH=<file.dot> (and -DSOURCE=<sources>
# to check the includes as well).

cmake_policy(VERSION 3.25)

# Levels, lowest first. A library that is missing here fails the check, so
# a new one has to be placed.
set(levels
  murel_core=0 murel_publisher=0 murel_publisher_e2e=0 murel_memorycap=0
  murel_controls=1 murel_platform=1 murel_resources=1 murel_network=1
  murel_reminder=2 murel_announce=2 murel_info=2 murel_network_module=2 murel_sound_module=2
  murel_app=3)

# The folder of each library's sources, as the includes name it.
set(folders
  core=murel_core controls=murel_controls platform=murel_platform
  resources=murel_resources reminder=murel_reminder announce=murel_announce
  info=murel_info app=murel_app net=murel_network)

function(level_of library out)
  set(found "")
  foreach(entry IN LISTS levels)
    if(entry MATCHES "^${library}=([0-9]+)$")
      set(found ${CMAKE_MATCH_1})
    endif()
  endforeach()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

# The includes of every library folder against the folders' levels. A
# generated header is configured from a template in its folder, so the
# templates are read with the sources.
function(check_includes out)
  set(found "")
  set(folder_names "")
  foreach(entry IN LISTS folders)
    string(REPLACE "=" ";" pair "${entry}")
    list(GET pair 0 folder)
    list(GET pair 1 library)
    level_of(${library} level)
    if(level STREQUAL "")
      string(APPEND found "  ${library} (folder ${folder}/) has no level in the tree\n")
      continue()
    endif()
    set(level_${folder} ${level})
    list(APPEND folder_names ${folder})
  endforeach()
  list(JOIN folder_names "|" alternatives)
  set(scanned 0)
  foreach(folder IN LISTS folder_names)
    file(GLOB_RECURSE files RELATIVE "${SOURCE}"
      "${SOURCE}/${folder}/*.h" "${SOURCE}/${folder}/*.cpp" "${SOURCE}/${folder}/*.h.in")
    foreach(file IN LISTS files)
      math(EXPR scanned "${scanned} + 1")
      file(STRINGS "${SOURCE}/${file}" includes
        REGEX "^[ \t]*#[ \t]*include[ \t]*\"(${alternatives})/")
      foreach(line IN LISTS includes)
        string(REGEX MATCH "\"((${alternatives})/[^\"]*)\"" _ "${line}")
        set(header "${CMAKE_MATCH_1}")
        set(to "${CMAKE_MATCH_2}")
        if(NOT to STREQUAL folder AND NOT "${level_${folder}}" GREATER "${level_${to}}")
          string(APPEND found
            "  ${file} (level ${level_${folder}}) includes ${header} (level ${level_${to}})\n")
        endif()
      endforeach()
    endforeach()
  endforeach()
  if(scanned EQUAL 0)
    string(APPEND found "  no sources in the libraries' folders under ${SOURCE}\n")
  endif()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

if(NOT GRAPH)
  file(REMOVE_RECURSE "${SCRATCH}")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -S "${SOURCE}" -B "${SCRATCH}" -G Ninja -DBUILD_TESTING=OFF
            "--graphviz=${SCRATCH}/graph/targets.dot"
    RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "configure failed:\n${errors}")
  endif()
  set(GRAPH "${SCRATCH}/graph/targets.dot")
endif()

file(STRINGS "${GRAPH}" edges REGEX "// [^ ]+ -> [^ ]+$")
set(problems "")
set(seen 0)
foreach(edge IN LISTS edges)
  string(REGEX MATCH "// ([^ ]+) -> ([^ ]+)$" _ "${edge}")
  set(from "${CMAKE_MATCH_1}")
  set(to "${CMAKE_MATCH_2}")
  string(MAKE_C_IDENTIFIER "${from}" from_id)
  list(APPEND links_${from_id} "${to}")
  if(NOT from MATCHES "^murel_" OR from MATCHES "_resources_[0-9]+$")
    continue()
  endif()
  math(EXPR seen "${seen} + 1")
  set(from_level "")
  set(to_level "")
  foreach(entry IN LISTS levels)
    string(REPLACE "=" ";" pair "${entry}")
    list(GET pair 0 name)
    list(GET pair 1 level)
    if(name STREQUAL from)
      set(from_level ${level})
    endif()
    if(name STREQUAL to)
      set(to_level ${level})
    endif()
  endforeach()
  if(from_level STREQUAL "")
    string(APPEND problems "  ${from} has no level in the tree\n")
    continue()
  endif()
  if(from STREQUAL "murel_core" AND to MATCHES "^Qt6::(Gui|Widgets|Network)$")
    string(APPEND problems "  murel_core links ${to}\n")
  endif()
  if(to MATCHES "^murel_" AND NOT to MATCHES "_resources_[0-9]+$")
    if(to_level STREQUAL "")
      string(APPEND problems "  ${to} has no level in the tree\n")
    elseif(NOT from_level GREATER to_level)
      string(APPEND problems "  ${from} (level ${from_level}) links ${to} (level ${to_level})\n")
    endif()
  endif()
endforeach()

if(seen EQUAL 0)
  message(FATAL_ERROR "no links of the program's libraries in ${GRAPH}")
endif()

# Everything the program links, by any path: Qt Network must not be among
# it. Each target reached keeps the one that led to it, to name the path.
# A module (drawn as a triple octagon) cannot be linked: an edge to it only
# has it built first, and what it links is loaded with it, not at the start.
file(STRINGS "${GRAPH}" module_nodes REGEX "label = \"[^\"]+\", shape = tripleoctagon")
set(modules "")
foreach(node IN LISTS module_nodes)
  string(REGEX MATCH "label = \"([^\"]+)\"" _ "${node}")
  list(APPEND modules "${CMAKE_MATCH_1}")
endforeach()
if(NOT DEFINED links_murel)
  string(APPEND problems "  the program (murel) is not in the graph\n")
endif()
set(reached murel)
set(queue murel)
set(via_murel "")
while(queue)
  list(POP_FRONT queue target)
  string(MAKE_C_IDENTIFIER "${target}" target_id)
  foreach(next IN LISTS links_${target_id})
    if(NOT next IN_LIST reached AND NOT next IN_LIST modules)
      list(APPEND reached "${next}")
      list(APPEND queue "${next}")
      string(MAKE_C_IDENTIFIER "${next}" next_id)
      set(via_${next_id} "${target}")
    endif()
  endforeach()
endwhile()
if("Qt6::Network" IN_LIST reached)
  set(path "Qt6::Network")
  set(step "Qt6::Network")
  while(NOT step STREQUAL "murel")
    string(MAKE_C_IDENTIFIER "${step}" step_id)
    set(step "${via_${step_id}}")
    set(path "${step} -> ${path}")
  endwhile()
  string(APPEND problems "  the program links Qt Network: ${path}\n")
endif()
if(SOURCE)
  check_includes(include_problems)
  string(APPEND problems "${include_problems}")
endif()
if(problems)
  message(FATAL_ERROR "the libraries do not form the tree:\n${problems}")
endif()
message(STATUS "${seen} links of the program's libraries, all downward")
