# The layout check: fails when a source file includes a header of a floor
# its own floor may not use (one above it, or a sibling it is not given).
#   cmake -DROOT=<source tree> -P CheckLayout.cmake
cmake_minimum_required(VERSION 3.22)

# The floors, bottom up: each folder, then the folders whose headers its
# files may include besides its own. This table is the one statement of the
# layout; a folder holding sources must be in it or among the free ones.
set(host_floors "host host/report host/ui host/schema host/data host/db")
set(floors
  "host/db         :"
  "host/schema     : host/db"
  "host/data       : host/db"
  "host/ui         : host/data host/db"
  "host/report     : host/ui host/data host/db"
  "host            : host/report host/ui host/schema host/data host/db"
  "data            : ${host_floors}"
  "contract_data   : data ${host_floors}"
  "shared_windows  : data ${host_floors}"
  "service_orders  : shared_windows contract_data data ${host_floors}"
  "contracts       : service_orders shared_windows contract_data data ${host_floors}"
  "rental          : contracts shared_windows contract_data data ${host_floors}"
  "module          : rental contracts service_orders shared_windows contract_data data ${host_floors}"
  # The host executable loads the module by name and includes none of it.
  "app             : ${host_floors}")
# Tests, benchmarks and build helpers may include any floor; no floor includes them.
set(free_folders tests bench cmake build)

if(NOT ROOT)
  message(FATAL_ERROR "ROOT (the source tree to check) is not set")
endif()

set(names)
foreach(row IN LISTS floors)
  string(REGEX MATCH "^([^ :]+) *:(.*)$" _ "${row}")
  set(name "${CMAKE_MATCH_1}")
  string(STRIP "${CMAKE_MATCH_2}" uses)
  separate_arguments(uses UNIX_COMMAND "${uses}")
  list(APPEND names ${name})
  set("uses_${name}" ${name} ${uses})
endforeach()

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
foreach(top IN LISTS tops)
  if(IS_DIRECTORY "${ROOT}/${top}" AND NOT top IN_LIST free_folders AND NOT top MATCHES "^\\.")
    file(GLOB_RECURSE found RELATIVE "${ROOT}" "${ROOT}/${top}/*.cpp" "${ROOT}/${top}/*.h")
    list(APPEND sources ${found})
  endif()
endforeach()
list(SORT sources)
set(faults 0)
foreach(file IN LISTS sources)
  floor_of("${file}" floor)
  if(floor STREQUAL "free")
    continue()
  endif()
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
    if(NOT target)
      continue()   # a library's header (<QtCore/QString>, <firebird/Interface.h>)
    endif()
    if(NOT target IN_LIST "uses_${floor}")
      list(REMOVE_ITEM "uses_${floor}" ${floor})
      string(REPLACE ";" " " allowed "${uses_${floor}}")
      message("${file}: includes ${header} (${target}); ${floor} may use only: ${allowed}")
      set("uses_${floor}" ${floor} ${uses_${floor}})
      math(EXPR faults "${faults} + 1")
    endif()
  endforeach()
endforeach()

if(faults GREATER 0)
  message(FATAL_ERROR "${faults} faults against the floors")
endif()
list(LENGTH sources count)
message("${count} source files keep to the floors")
