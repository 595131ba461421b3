# cmake -DCTEST=<ctest> -DBUILD=<build folder> -DWORK=<scratch folder> -DSOURCE=<checkout> -DCXX=<compiler> -P CheckTimeLimits.cmake
#
# 1. Every test of the build has a time limit (CTest's TIMEOUT), as CTest
#    reads the build's test files (copied, so that this run's log is not
#    written over).
#    And every test is followed by one that sweeps what ended programs left
#    in the test folder (a CTest fixture's cleanup: it runs once the tests
#    that name it are done, however they ended).
# 2. A program that ignores SIGTERM and waits for ever, with a child in a
#    session of its own that does the same, run by CTest with a limit of 2 s:
#    both end within a few seconds and the summary names the program
#    "(Timeout)".
# 3. The suite run as scripts/test runs it (run_suite, scripts/setup.sh) on a
#    machine whose load stays far above three a core (CTest reads a load of
#    999, CargaAlta.cpp): its tests run and the run ends.
foreach(var CTEST BUILD WORK SOURCE CXX)
  if(NOT ${var})
    message(FATAL_ERROR "${var} is not given")
  endif()
endforeach()
file(REMOVE_RECURSE "${WORK}")
set(faults "")

# 1.
file(GLOB_RECURSE testfiles RELATIVE "${BUILD}" "${BUILD}/CTestTestfile.cmake" "${BUILD}/*/CTestTestfile.cmake")
foreach(f IN LISTS testfiles)
  get_filename_component(folder "${WORK}/copia/${f}" DIRECTORY)
  file(COPY "${BUILD}/${f}" DESTINATION "${folder}")
endforeach()
execute_process(COMMAND "${CTEST}" --show-only=json-v1 --test-dir "${WORK}/copia"
                OUTPUT_VARIABLE json RESULT_VARIABLE rc TIMEOUT 60)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "ctest --show-only failed (${rc})")
endif()
string(JSON count LENGTH "${json}" tests)
if(count LESS 10)
  list(APPEND faults "only ${count} tests found in ${BUILD}")
endif()
math(EXPR last "${count} - 1")
foreach(i RANGE ${last})
  string(JSON name GET "${json}" tests ${i} name)
  set(limit "")
  set(swept FALSE)
  string(JSON nprops ERROR_VARIABLE none LENGTH "${json}" tests ${i} properties)
  if(nprops GREATER 0)
    math(EXPR lastp "${nprops} - 1")
    foreach(p RANGE ${lastp})
      string(JSON prop GET "${json}" tests ${i} properties ${p} name)
      if(prop STREQUAL "TIMEOUT")
        string(JSON limit GET "${json}" tests ${i} properties ${p} value)
      elseif(prop STREQUAL "FIXTURES_REQUIRED" OR prop STREQUAL "FIXTURES_CLEANUP")
        string(JSON fixtures GET "${json}" tests ${i} properties ${p} value)
        if(fixtures MATCHES "ta_test_tmp")
          set(swept TRUE)
        endif()
      endif()
    endforeach()
  endif()
  if(NOT limit OR limit LESS_EQUAL 0)
    list(APPEND faults "${name}: no time limit (ta_test_timeout)")
  endif()
  if(NOT swept)
    list(APPEND faults "${name}: not followed by the sweep of the test folder (ta_test_sweep)")
  endif()
endforeach()

# 2.
set(hang "${WORK}/pendurado")
file(MAKE_DIRECTORY "${hang}")
file(WRITE "${hang}/programa.sh" "trap '' TERM INT HUP
setsid sh -c 'trap \"\" TERM INT HUP; echo $$ > \"$1/filho.pid\"; exec sleep 600' sh \"$1\" </dev/null >/dev/null 2>&1 &
echo $$ > \"$1/programa.pid\"
while :; do sleep 1; done
")
file(WRITE "${hang}/CTestTestfile.cmake" "add_test(programa_pendurado sh \"${hang}/programa.sh\" \"${hang}\")
set_tests_properties(programa_pendurado PROPERTIES TIMEOUT 2)
")
string(TIMESTAMP t0 "%s")
execute_process(COMMAND "${CTEST}" --test-dir "${hang}" OUTPUT_VARIABLE out ERROR_VARIABLE err
                RESULT_VARIABLE rc TIMEOUT 60)
string(TIMESTAMP t1 "%s")
math(EXPR took "${t1} - ${t0}")
if(rc EQUAL 0)
  list(APPEND faults "the hanging program passed")
endif()
if(took GREATER 10)
  list(APPEND faults "the hanging program ended after ${took} s (limit 2 s)")
endif()
if(NOT out MATCHES "programa_pendurado \\(Timeout\\)")
  list(APPEND faults "the summary does not name the hanging program: ${out}${err}")
endif()
foreach(who programa filho)
  if(NOT EXISTS "${hang}/${who}.pid")
    list(APPEND faults "the ${who} never started")
    continue()
  endif()
  file(STRINGS "${hang}/${who}.pid" pid LIMIT_COUNT 1)
  # Ended, or a zombie about to be reaped ("pid (name) Z ..." in /proc).
  set(alive TRUE)
  foreach(try RANGE 50)
    set(stat "")
    if(EXISTS "/proc/${pid}/stat")
      file(READ "/proc/${pid}/stat" stat)
    endif()
    if(NOT stat OR stat MATCHES "\\) Z ")
      set(alive FALSE)
      break()
    endif()
    execute_process(COMMAND sleep 0.1)
  endforeach()
  if(alive)
    execute_process(COMMAND sh -c "kill -KILL ${pid}")
    list(APPEND faults "the ${who} (process ${pid}) outlived the limit")
  endif()
endforeach()

# 3.
set(loaded "${WORK}/carregada")
file(MAKE_DIRECTORY "${loaded}")
file(WRITE "${loaded}/CTestTestfile.cmake" "add_test(um sleep 1)\nadd_test(dois sleep 1)\nadd_test(tres sleep 1)\n")
execute_process(COMMAND "${CXX}" -shared -fPIC -o "${loaded}/carga.so" "${CMAKE_CURRENT_LIST_DIR}/CargaAlta.cpp"
                RESULT_VARIABLE rc ERROR_VARIABLE err TIMEOUT 120)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the load's library was not built (${rc}): ${err}")
endif()
execute_process(COMMAND env "LD_PRELOAD=${loaded}/carga.so" bash -c "source \"$1/scripts/setup.sh\" && run_suite \"$2\""
                        bash "${SOURCE}" "${loaded}"
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc TIMEOUT 60)
if(NOT rc EQUAL 0 OR NOT out MATCHES "100% tests passed")
  list(APPEND faults "on a loaded machine the suite did not run to its end (${rc}): ${out}${err}")
endif()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "Time limits:\n  ${text}")
endif()
file(REMOVE_RECURSE "${WORK}")
message(STATUS "${count} tests, each with a time limit; a hanging program ended in ${took} s and named; the suite ran on a loaded machine")
