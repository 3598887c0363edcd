# One static library per source folder; sources are the folder's own .cpp files.
set(TV_WARNINGS -Wall -Wextra)
if(TV_SANITIZE)
  # Line tables are all a sanitizer report needs; full debug info triples the build's size and link time.
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined -g1)
  add_link_options(-fsanitize=address,undefined)
endif()
if(TV_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "TV_FUZZ needs clang (libFuzzer): see fuzz/run.sh")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined -g1)
  add_link_options(-fsanitize=address,undefined)
endif()
if(TV_TSAN)
  add_compile_options(-fsanitize=thread -g1)
  add_link_options(-fsanitize=thread)
endif()

# tv_add_library(<name> [DEPS <targets...>] [PRIVATE_DEPS <targets...>])
function(tv_add_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_compile_options(${name} PRIVATE ${TV_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()

# tv_add_tests(<name> DEPS <targets...> [SHARDS <n>] [ALONE <gtest filter>]): one GoogleTest
# executable from the folder's .cpp files. CTest runs the executable as a few shards
# (GTEST_TOTAL_SHARDS, default TV_TEST_SHARDS), each a process that runs its share of the cases in
# turn, rather than one process per case: starting a process under the sanitizers costs more than
# most cases. A failing shard prints the cases that failed; one case alone: run the executable with
# --gtest_filter=Suite.Case. Cases matching ALONE (end-to-end runs against a device and its
# threads, timed by the device) keep a process of their own each, as CTest tests named after the
# case, and run one at a time beside the rest of the suite.
set(TV_TEST_SHARDS 4 CACHE STRING "Processes each test executable is split into under CTest")
include(GoogleTest)
function(tv_add_tests name)
  cmake_parse_arguments(ARG "" "SHARDS;ALONE" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  # -fPIC as Qt's targets give to what links them directly: every test then agrees with the one
  # precompiled header they share.
  target_compile_options(${name} PRIVATE ${TV_WARNINGS} -fPIC)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} tv_test_main GTest::gtest GTest::gmock)
  target_precompile_headers(${name} REUSE_FROM tv_test_main)
  target_compile_definitions(${name} PRIVATE TV_SOURCE_DIR="${PROJECT_SOURCE_DIR}" TV_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data")
  set(shards ${TV_TEST_SHARDS})
  if(ARG_SHARDS)
    set(shards ${ARG_SHARDS})
  endif()
  set(args --gtest_brief=1)
  if(ARG_ALONE)
    list(APPEND args --gtest_filter=-${ARG_ALONE})
    gtest_discover_tests(${name} TEST_FILTER ${ARG_ALONE} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
      PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS ${name} RESOURCE_LOCK ${name}_alone)
  endif()
  math(EXPR last "${shards} - 1")
  foreach(index RANGE ${last})
    set(test ${name})
    if(shards GREATER 1)
      math(EXPR number "${index} + 1")
      set(test ${name}.${number})
    endif()
    add_test(NAME ${test} COMMAND ${name} ${args})
    set_tests_properties(${test} PROPERTIES LABELS ${name}
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;GTEST_TOTAL_SHARDS=${shards};GTEST_SHARD_INDEX=${index}")
  endforeach()
endfunction()

# tv_add_bench(<name> SOURCES ... DEPS ...)
function(tv_add_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${TV_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
endfunction()
