# What keeps a cold build quick on a two-core machine: unity batches,
# precompiled headers shared across targets, a fast linker and ccache set up
# so that precompiled headers and other clones of the project hit it.

# Unity builds: each target compiles its sources in batches of many files
# (one translation unit per batch): much of a unit's cost is the code of
# inline functions and templates of the headers it uses, emitted once per
# unit: with the sanitizers, more than a quarter of a batch of 8 files.
# File-local names (anonymous namespaces, static functions,
# using-declarations) must therefore be unique within their target: every
# target builds as a single unit (TA_UNITY_BATCH_SIZE=1000), and so at any
# batch size. The batches are written here rather than by CMake's
# UNITY_BUILD, whose batch files include the sources by absolute path: those
# of another clone would then never hit the compiler cache.
option(TA_UNITY_BUILD "Compile each target's sources in unity batches" ON)
set(TA_UNITY_BATCH_SIZE 32 CACHE STRING "Sources per unity batch")
if(TA_UNITY_BUILD)
  # A unit's sources are included into its batch, and GCC then takes a test
  # fixture or a member in an anonymous namespace for one shared across files.
  add_compile_options(-Wno-subobject-linkage)
endif()

# The batches of one target: its C++ sources in alphabetical order, each
# batch a file that includes them by their path under the project's root
# (on every target's include path).
function(ta_unity_batches target)
  get_target_property(dir ${target} SOURCE_DIR)
  get_target_property(bin ${target} BINARY_DIR)
  get_target_property(all ${target} SOURCES)
  set(sources)
  foreach(src IN LISTS all)
    if(src MATCHES "\\.cpp$" AND NOT src MATCHES "^\\$<")
      get_filename_component(abs "${src}" ABSOLUTE BASE_DIR "${dir}")
      get_source_file_property(generated "${abs}" GENERATED)
      cmake_path(IS_PREFIX PROJECT_SOURCE_DIR "${abs}" NORMALIZE inside)
      if(inside AND NOT generated)
        list(APPEND sources "${abs}")
      endif()
    endif()
  endforeach()
  list(LENGTH sources count)
  if(count LESS 2)
    return()
  endif()
  list(SORT sources)
  set(batch 0)
  set(body "")
  set(n 0)
  foreach(abs IN LISTS sources)
    file(RELATIVE_PATH rel "${PROJECT_SOURCE_DIR}" "${abs}")
    string(APPEND body "#include \"${rel}\"\n")
    set_source_files_properties("${abs}" TARGET_DIRECTORY ${target} PROPERTIES HEADER_FILE_ONLY ON)
    math(EXPR n "${n} + 1")
    if(n EQUAL TA_UNITY_BATCH_SIZE)
      _ta_unity_write(${target} "${bin}" ${batch} "${body}")
      math(EXPR batch "${batch} + 1")
      set(body "")
      set(n 0)
    endif()
  endforeach()
  if(n GREATER 0)
    _ta_unity_write(${target} "${bin}" ${batch} "${body}")
  endif()
endfunction()

function(_ta_unity_write target bin batch body)
  set(file "${bin}/unity/${target}_${batch}.cpp")
  # Rewritten only when it changes, so that a configure rebuilds nothing.
  if(EXISTS "${file}")
    file(READ "${file}" old)
  endif()
  if(NOT old STREQUAL "${body}")
    file(WRITE "${file}" "${body}")
  endif()
  target_sources(${target} PRIVATE "${file}")
endfunction()

# Every target of the project in batches; called once all are declared.
function(ta_unity_build_all)
  set(dirs "${PROJECT_SOURCE_DIR}")
  while(dirs)
    list(POP_FRONT dirs d)
    get_property(subdirs DIRECTORY "${d}" PROPERTY SUBDIRECTORIES)
    list(APPEND dirs ${subdirs})
    get_property(targets DIRECTORY "${d}" PROPERTY BUILDSYSTEM_TARGETS)
    foreach(t IN LISTS targets)
      get_target_property(type ${t} TYPE)
      if(type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$")
        _ta_moc_where_needed(${t})
        if(TA_UNITY_BUILD)
          ta_unity_batches(${t})
        endif()
      endif()
    endforeach()
  endwhile()
endfunction()

# A target none of whose files (nor the header beside each source) declares
# a Qt meta-object gets no moc step: each costs a scan and a unit of its own
# (one to four seconds, more with the sanitizers), and no test program needs one.
function(_ta_moc_where_needed target)
  get_target_property(automoc ${target} AUTOMOC)
  if(NOT automoc)
    return()
  endif()
  get_target_property(dir ${target} SOURCE_DIR)
  get_target_property(all ${target} SOURCES)
  foreach(src IN LISTS all)
    if(src MATCHES "^\\$<")
      continue()
    endif()
    get_filename_component(abs "${src}" ABSOLUTE BASE_DIR "${dir}")
    get_filename_component(folder "${abs}" DIRECTORY)
    get_filename_component(stem "${abs}" NAME_WLE)
    foreach(f IN ITEMS "${abs}" "${folder}/${stem}.h")
      if(EXISTS "${f}")
        file(STRINGS "${f}" hits REGEX "Q_OBJECT|Q_GADGET|Q_NAMESPACE|\\.moc\"|moc_" LIMIT_COUNT 1)
        if(hits)
          return()
        endif()
      endif()
    endforeach()
  endforeach()
  set_target_properties(${target} PROPERTIES AUTOMOC OFF)
endfunction()

# moc needs no other target built first: without this, each target's moc
# step waits for every library it links, and the build runs a target at a time.
set(CMAKE_AUTOGEN_ORIGIN_DEPENDS OFF)

# The linker: mold, else lld, else the default one. The many test
# executables link large static libraries; mold and lld do it in a fraction
# of the time of GNU ld.
include(CheckLinkerFlag)
foreach(_ld mold lld)
  string(TOUPPER ${_ld} _LD)
  check_linker_flag(CXX "-fuse-ld=${_ld}" TA_HAVE_LD_${_LD})
  if(TA_HAVE_LD_${_LD})
    add_link_options("-fuse-ld=${_ld}")
    break()
  endif()
endforeach()

# ccache. Precompiled headers are only cached with these sloppiness settings
# (ccache cannot see __TIME__ or #defines through a .gch); -fpch-preprocess
# keeps the PCH usable when ccache falls back to preprocessing. The check of
# include files newer than the compilation stays on: without it, a header
# saved while a build reads it stores a result (a .gch above all) under the
# new text that was made from the old one, and every later build of that text
# fails with redefinitions. The few users of a .gch that start in the second
# it was written are not cached for it. Depend mode: a result is found only
# through the compiler's own list of the files it read, never through a
# preprocessed text: two versions of a header can preprocess alike while a
# .gch records each header's size and checksum, and a .gch of the other
# version makes every unit that includes the header again fail with
# redefinitions (seen with checkouts of other commits sharing the cache). Paths are hashed relative to base_dir
# (the folder holding the checkout unless CCACHE_BASEDIR says otherwise), so
# other checkouts on the machine share the cache (its folder: `ccache -k
# cache_dir`, ~/.cache/ccache by default).
find_program(CCACHE_PROGRAM ccache)
if(CCACHE_PROGRAM)
  if(DEFINED ENV{CCACHE_BASEDIR})
    set(_ccache_base "$ENV{CCACHE_BASEDIR}")
  else()
    get_filename_component(_ccache_base "${PROJECT_SOURCE_DIR}" DIRECTORY)
  endif()
  set(CMAKE_CXX_COMPILER_LAUNCHER
      env "CCACHE_SLOPPINESS=pch_defines,time_macros" CCACHE_DEPEND=1
          "CCACHE_BASEDIR=${_ccache_base}" ${CCACHE_PROGRAM})
  add_compile_options(-fpch-preprocess)
endif()

# Precompiled headers, each built once per configuration and reused by every
# target of its kind (REUSE_FROM): one for the libraries (position-independent
# code) and one for the executables (position-independent executables; GCC
# refuses a PCH made with the other setting). They hold what nearly every unit
# includes: the standard library, Qt's core and widgets, and the host's
# data layer; the executables' one also GoogleTest. Every header is named
# with angle brackets, so no absolute path of this checkout enters the
# header's hash and other clones hit the compiler cache.
set(_ta_pch_common
  <algorithm> <cmath> <functional> <memory> <stdexcept> <utility> <vector>
  <QApplication> <QCheckBox> <QComboBox> <QCoreApplication> <QDate> <QDateTime>
  <QDir> <QFile> <QFileInfo> <QFormLayout> <QGroupBox> <QHash> <QHBoxLayout>
  <QKeyEvent> <QLabel> <QLineEdit> <QList> <QMenu> <QPlainTextEdit> <QPointer>
  <QPushButton> <QRegularExpression> <QSet> <QString> <QStringList> <QToolButton>
  <QVariant> <QVBoxLayout> <QWidget>
  <host/db/Database.h> <host/data/Abort.h> <host/data/DataSource.h>
  <host/data/Dataset.h> <host/data/Field.h> <host/data/Format.h>
  <host/data/HandlerGuard.h> <host/data/MemDataset.h> <host/data/Query.h>)

# The test programs' own code (the cases, not the code under test) is built
# in the sanitized configuration as in the plain one: no optimisation and no
# instrumentation. Every library, the code under test, is instrumented and
# checks what the cases hand it, and the sanitizers' run-time (allocator,
# reports) is linked into each program; instrumenting GoogleTest's expanded
# assertions cost as much to build as all the libraries. The test
# executables' precompiled header must match.
function(ta_test_code_options target)
  target_compile_options(${target} PRIVATE $<$<CONFIG:Sanitize>:-O0 -fno-sanitize=all>)
endfunction()

function(_ta_pch_target name)
  add_library(${name} OBJECT ${PROJECT_SOURCE_DIR}/cmake/pch.cpp)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_include_directories(${name} SYSTEM PRIVATE ${FIREBIRD_INCLUDE_DIR})
  target_link_libraries(${name} PRIVATE Qt6::Widgets)
  set_target_properties(${name} PROPERTIES AUTOMOC OFF UNITY_BUILD OFF)
  ta_warnings(${name})
endfunction()

_ta_pch_target(ta_pch_lib)
target_precompile_headers(ta_pch_lib PRIVATE ${_ta_pch_common})

if(TA_BUILD_TESTS)
  find_package(GTest REQUIRED)
  _ta_pch_target(ta_pch_exe)
  # Executables are built as position-independent executables.
  set_target_properties(ta_pch_exe PROPERTIES POSITION_INDEPENDENT_CODE OFF)
  target_compile_options(ta_pch_exe PRIVATE -fPIE)
  target_link_libraries(ta_pch_exe PRIVATE GTest::gtest)
  target_precompile_headers(ta_pch_exe PRIVATE ${_ta_pch_common} <gtest/gtest.h>)
  ta_test_code_options(ta_pch_exe)
endif()

# ta_use_pch(target lib|exe)
function(ta_use_pch target kind)
  if(TARGET ta_pch_${kind})
    target_precompile_headers(${target} REUSE_FROM ta_pch_${kind})
  endif()
endfunction()
