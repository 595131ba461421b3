# The layout check: fails when a source file includes a header of a floor
# its own floor may not use (one above it, or a sibling it is not given), or
# when a floor's library links the library of such a floor.
#   cmake -DROOT=<source tree> -P CheckLayout.cmake
cmake_minimum_required(VERSION 3.22)

# The floors, bottom up: each folder, its library, then the folders whose
# headers its files may include (and whose libraries it may link) besides its
# own. This table is the one statement of the layout; a folder holding
# sources must be in it or among the free ones.
set(host_floors "host host/report host/ui host/schema host/data host/db")
set(floors
  "host/db         host_db               :"
  "host/schema     host_schema           : host/db"
  "host/data       host_data             : host/db"
  "host/ui         host_ui               : host/data host/db"
  "host/report     host_report           : host/ui host/data host/db"
  "host            host_core             : host/report host/ui host/schema host/data host/db"
  "data            module_data           : ${host_floors}"
  "contract_data   module_contract_data  : data ${host_floors}"
  "shared_windows  module_shared_windows : data ${host_floors}"
  "service_orders  module_service_orders : shared_windows data ${host_floors}"
  "contracts       module_contracts      : service_orders shared_windows contract_data data ${host_floors}"
  "rental          module_rental         : contracts shared_windows contract_data data ${host_floors}"
  "module          module_front          : rental contracts service_orders shared_windows contract_data data ${host_floors}"
  # The host executable loads the module by name and includes none of it.
  "app             techassist            : ${host_floors}")
# Tests, benchmarks and build helpers may include any floor; no floor includes them.
set(free_folders tests bench cmake build)

if(NOT ROOT)
  message(FATAL_ERROR "ROOT (the source tree to check) is not set")
endif()

set(names)
set(libraries)
foreach(row IN LISTS floors)
  string(REGEX MATCH "^([^ ]+) +([^ ]+) *:(.*)$" _ "${row}")
  set(name "${CMAKE_MATCH_1}")
  set(library "${CMAKE_MATCH_2}")
  string(STRIP "${CMAKE_MATCH_3}" uses)
  separate_arguments(uses UNIX_COMMAND "${uses}")
  list(APPEND names ${name})
  list(APPEND libraries ${library})
  set("floor_of_${library}" ${name})
  set("uses_${name}" ${name} ${uses})
endforeach()

set(faults 0)
# One fault: what the floor may use, after what it does.
macro(fault floor what)
  set(allowed "${uses_${floor}}")
  list(REMOVE_ITEM allowed ${floor})
  string(REPLACE ";" " " allowed "${allowed}")
  message("${what}; ${floor} may use only: ${allowed}")
  math(EXPR faults "${faults} + 1")
endmacro()

# The floor a path under the root belongs to: its deepest folder in the
# table; "free" for the free folders; empty for anything else.
function(floor_of path out)
  set(found "")
  set(found_length 0)
  foreach(name IN LISTS names)
    string(LENGTH "${name}/" length)
    string(SUBSTRING "${path}" 0 ${length} head)
    if(head STREQUAL "${name}/" AND length GREATER found_length)
      set(found ${name})
      set(found_length ${length})
    endif()
  endforeach()
  if(NOT found)
    string(REGEX MATCH "^[^/]+" top "${path}")
    if(top IN_LIST free_folders)
      set(found free)
    endif()
  endif()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

file(GLOB tops RELATIVE "${ROOT}" "${ROOT}/*")
set(sources)
set(build_files)
foreach(top IN LISTS tops)
  if(IS_DIRECTORY "${ROOT}/${top}" AND NOT top IN_LIST free_folders AND NOT top MATCHES "^\\.")
    file(GLOB_RECURSE found RELATIVE "${ROOT}" "${ROOT}/${top}/*.cpp" "${ROOT}/${top}/*.h")
    list(APPEND sources ${found})
    file(GLOB_RECURSE found RELATIVE "${ROOT}" "${ROOT}/${top}/CMakeLists.txt")
    list(APPEND build_files ${found})
  endif()
endforeach()
list(SORT sources)
list(SORT build_files)

# The includes.
foreach(file IN LISTS sources)
  floor_of("${file}" floor)
  if(NOT floor)
    message("${file}: its folder has no floor in the table of ${CMAKE_CURRENT_LIST_FILE}")
    math(EXPR faults "${faults} + 1")
    continue()
  endif()
  file(STRINGS "${ROOT}/${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][^\">]+/[^\">]+[\">]")
  foreach(line IN LISTS includes)
    string(REGEX MATCH "[\"<]([^\">]+)[\">]" _ "${line}")
    set(header "${CMAKE_MATCH_1}")
    floor_of("${header}" target)
    if(target AND NOT target IN_LIST "uses_${floor}")
      fault(${floor} "${file}: includes ${header} (${target})")
    endif()
    # Anything else is a library's header (<QtCore/QString>, <firebird/Interface.h>).
  endforeach()
endforeach()

# The links of the floors' libraries, wherever they are declared.
foreach(file IN LISTS build_files)
  file(STRINGS "${ROOT}/${file}" lines)
  set(text "")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "#.*$" "" line "${line}")
    string(APPEND text " ${line}")
  endforeach()
  string(REGEX MATCHALL "target_link_libraries *\\([^)]*\\)" calls "${text}")
  foreach(call IN LISTS calls)
    string(REGEX REPLACE "^target_link_libraries *\\((.*)\\)$" "\\1" words "${call}")
    separate_arguments(words UNIX_COMMAND "${words}")
    list(POP_FRONT words library)
    if(NOT library IN_LIST libraries)
      continue()
    endif()
    set(floor "${floor_of_${library}}")
    foreach(word IN LISTS words)
      if(word IN_LIST libraries AND NOT "${floor_of_${word}}" IN_LIST "uses_${floor}")
        fault(${floor} "${file}: ${library} links ${word} (${floor_of_${word}})")
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults GREATER 0)
  message(FATAL_ERROR "${faults} faults against the floors")
endif()
list(LENGTH sources count)
message("${count} source files keep to the floors")
