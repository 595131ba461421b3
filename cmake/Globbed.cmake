# A library made of every source file of the given folders: a new file joins
# its library without touching any CMakeLists.
function(ta_library name kind)
  set(sources)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
    list(APPEND sources ${found})
  endforeach()
  add_library(${name} ${kind} ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  ta_warnings(${name})
  if(NOT TA_NO_PCH)
    ta_use_pch(${name} lib)
  endif()
endfunction()

# One test executable for a folder of tests. It runs as one CTest test, or
# as SHARDS tests that each run their share of its cases (GoogleTest's
# sharding), so that a large folder does not keep the suite waiting on one
# core. COST orders a fresh run: the longest start first.
function(ta_test_folder name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "SHARDS;COST" "")
  set(libraries ${arg_UNPARSED_ARGUMENTS})
  file(GLOB found CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${found})
  # Qt6::Test would define its folders' absolute paths in every unit, and no
  # other checkout would hit the compiler cache; the tests do not use them.
  list(TRANSFORM libraries REPLACE "^Qt6::Test$" ta_qttest)
  if("ta_qttest" IN_LIST libraries AND NOT TARGET ta_qttest)
    add_library(ta_qttest INTERFACE IMPORTED GLOBAL)
    target_include_directories(ta_qttest SYSTEM INTERFACE
      $<TARGET_PROPERTY:Qt6::Test,INTERFACE_INCLUDE_DIRECTORIES>)
    target_compile_definitions(ta_qttest INTERFACE QT_TESTLIB_LIB)
    target_link_libraries(ta_qttest INTERFACE $<TARGET_FILE:Qt6::Test> Qt6::Core)
  endif()
  target_link_libraries(${name} PRIVATE test_support ${libraries})
  ta_warnings(${name})
  ta_test_code_options(${name})
  ta_use_pch(${name} exe)
  set(environment "QT_QPA_PLATFORM=offscreen;TA_TEST_TMP=${CMAKE_BINARY_DIR}/test-tmp")
  if(NOT arg_COST)
    set(arg_COST 0)
  endif()
  if(NOT arg_SHARDS OR arg_SHARDS LESS 2)
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${environment}" COST ${arg_COST})
    return()
  endif()
  math(EXPR last "${arg_SHARDS} - 1")
  foreach(i RANGE ${last})
    math(EXPR n "${i} + 1")
    add_test(NAME ${name}.${n} COMMAND ${name} --gtest_brief=1)
    set_tests_properties(${name}.${n} PROPERTIES COST ${arg_COST} ENVIRONMENT
      "${environment};GTEST_TOTAL_SHARDS=${arg_SHARDS};GTEST_SHARD_INDEX=${i}")
  endforeach()
endfunction()
