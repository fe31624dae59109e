# Build helpers: layers, tests, fuzz targets and benchmarks are found by folder,
# so adding a source file never needs a CMake edit.

set(QUORIX_WARNINGS -Wall -Wextra)
if(QUORIX_WERROR)
  list(APPEND QUORIX_WARNINGS -Werror)
endif()

if(QUORIX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
  # The test and replay programs' own sources, mostly test bodies, are compiled without
  # optimisation: they drive the layers, which keep the build's, and optimising them took
  # half of the sanitizer build's time for no finding.
  set(QUORIX_DRIVER_OPTIONS -O0)
endif()

if(QUORIX_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "QUORIX_FUZZ needs clang (-DCMAKE_CXX_COMPILER=clang++)")
  endif()
  # An undefined-behaviour report stops the run, as in the sanitizer build.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

function(quorix_sources out)
  cmake_parse_arguments(Q "" "" "DIRS;EXCLUDE" ${ARGN})
  set(found)
  foreach(d ${Q_DIRS})
    file(GLOB_RECURSE s CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${d}/*.cpp ${CMAKE_SOURCE_DIR}/${d}/*.c)
    list(APPEND found ${s})
  endforeach()
  foreach(e ${Q_EXCLUDE})
    list(REMOVE_ITEM found ${CMAKE_SOURCE_DIR}/${e})
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

function(quorix_layer name)
  cmake_parse_arguments(Q "" "" "DIRS;EXCLUDE;LIBS" ${ARGN})
  quorix_sources(srcs DIRS ${Q_DIRS} EXCLUDE ${Q_EXCLUDE})
  if(srcs)
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
    target_compile_options(${name} PRIVATE ${QUORIX_WARNINGS})
    target_link_libraries(${name} PUBLIC ${Q_LIBS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${Q_LIBS})
  endif()
endfunction()

# Copies skin/ (Image/ and Sound/) beside a program, where it looks for them. The programs
# that need it all live in the build folder's root, so one copy serves them all; copying it
# once per program made parallel builds race on the same files.
function(quorix_copy_skin target)
  if(NOT EXISTS ${CMAKE_SOURCE_DIR}/skin)
    return()
  endif()
  if(NOT TARGET quorix_skin)
    file(GLOB_RECURSE skin_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/skin/*)
    set(stamp ${CMAKE_BINARY_DIR}/skin.stamp)
    add_custom_command(OUTPUT ${stamp}
      COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/skin ${CMAKE_BINARY_DIR}
      COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
      DEPENDS ${skin_files})
    add_custom_target(quorix_skin DEPENDS ${stamp})
  endif()
  add_dependencies(${target} quorix_skin)
endfunction()

# Environment every test runs in: headless display, its own config, data and cache folders,
# no session bus.
set(QUORIX_TEST_HOME ${CMAKE_BINARY_DIR}/testhome)
set(QUORIX_TEST_ENV
  "QUORIX_DISPLAY=headless"
  "XDG_CONFIG_HOME=${QUORIX_TEST_HOME}/config"
  "XDG_DATA_HOME=${QUORIX_TEST_HOME}/data"
  "XDG_CACHE_HOME=${QUORIX_TEST_HOME}/cache"
  "XDG_RUNTIME_DIR=${QUORIX_TEST_HOME}/run"
  # A session bus address where none listens: nothing a test opens (SDL's video, GLib)
  # starts a bus of its own that would outlive the test. Tests that need one make it.
  "DBUS_SESSION_BUS_ADDRESS=unix:path=${QUORIX_TEST_HOME}/run/no-session-bus"
  "QUORIX_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
  "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0"
  "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")

# tests/<a>/<b>/*.cpp becomes the test program test_<a>_<b>; every gtest case is a ctest test.
function(quorix_test_dirs)
  find_package(GTest REQUIRED)
  include(GoogleTest)
  file(MAKE_DIRECTORY ${QUORIX_TEST_HOME}/config ${QUORIX_TEST_HOME}/data ${QUORIX_TEST_HOME}/run
    ${QUORIX_TEST_HOME}/cache)
  file(GLOB_RECURSE all CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*.cpp)
  set(dirs)
  foreach(f ${all})
    get_filename_component(d ${f} DIRECTORY)
    list(APPEND dirs ${d})
  endforeach()
  list(REMOVE_DUPLICATES dirs)
  # GoogleTest's headers are parsed once for all the test programs, which share flags.
  set(pch_owner "")
  foreach(d ${dirs})
    file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${d})
    string(REPLACE "/" "_" name ${rel})
    string(REGEX REPLACE "^tests_" "test_" name ${name})
    file(GLOB srcs CONFIGURE_DEPENDS ${d}/*.cpp)
    add_executable(${name} ${srcs})
    target_compile_options(${name} PRIVATE ${QUORIX_WARNINGS} ${QUORIX_DRIVER_OPTIONS})
    target_compile_definitions(${name} PRIVATE QUORIX_TEST_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
    target_link_libraries(${name} PRIVATE quorix_app GTest::gtest GTest::gmock GTest::gtest_main PkgConfig::GIO)
    if(pch_owner)
      target_precompile_headers(${name} REUSE_FROM ${pch_owner})
    else()
      target_precompile_headers(${name} PRIVATE <gtest/gtest.h> <gmock/gmock.h>)
      set(pch_owner ${name})
    endif()
    quorix_copy_skin(${name})
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
    # The discovery step keeps only the first entry of a list-valued property, so the
    # environment is set by a script that ctest reads after the discovered tests.
    set(envscript ${CMAKE_CURRENT_BINARY_DIR}/${name}_env.cmake)
    file(WRITE ${envscript} "foreach(t IN LISTS ${name}_TESTS)\n"
      "  set_tests_properties(\"\${t}\" PROPERTIES ENVIRONMENT \"${QUORIX_TEST_ENV}\")\n"
      "endforeach()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${envscript})
  endforeach()
  if(EXISTS ${CMAKE_SOURCE_DIR}/tools/localservice/tests)
    add_test(NAME localservice
      COMMAND python3 -m unittest discover -s ${CMAKE_SOURCE_DIR}/tools/localservice/tests -t ${CMAKE_SOURCE_DIR}/tools/localservice -v)
    set_tests_properties(localservice PROPERTIES ENVIRONMENT "${QUORIX_TEST_ENV}" TIMEOUT 600)
  endif()
endfunction()

# fuzz/Fuzz<Name>.cpp defines LLVMFuzzerTestOneInput. With libFuzzer (clang) ctest runs
# each for QUORIX_FUZZ_SECONDS; in the ordinary build each is linked with a driver that
# replays its seed corpus (fuzz/corpus/<Name>/) so the seeds stay regression tests.
function(quorix_fuzz_targets)
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/Fuzz*.cpp)
  add_custom_target(fuzz_all)
  foreach(f ${srcs})
    get_filename_component(name ${f} NAME_WE)
    add_executable(${name} ${f})
    target_link_libraries(${name} PRIVATE quorix_app)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    # Where the default skin lies (QUORIX_SOURCE_DIR overrides it at run time).
    target_compile_definitions(${name} PRIVATE QUORIX_FUZZ_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
    add_dependencies(fuzz_all ${name})
    string(REGEX REPLACE "^Fuzz" "" short ${name})
    set(work ${CMAKE_BINARY_DIR}/corpus/${short})
    file(MAKE_DIRECTORY ${work})
    set(seed)
    if(EXISTS ${CMAKE_SOURCE_DIR}/fuzz/corpus/${short})
      set(seed ${CMAKE_SOURCE_DIR}/fuzz/corpus/${short})
    endif()
    # Beside the seeds: <Name>.dict, the words libFuzzer cannot learn from comparisons of
    # wide strings, and <Name>.options, flags such as a larger -max_len where the
    # target's limits lie above the default.
    set(extra)
    if(EXISTS ${CMAKE_SOURCE_DIR}/fuzz/corpus/${short}.dict)
      list(APPEND extra -dict=${CMAKE_SOURCE_DIR}/fuzz/corpus/${short}.dict)
    endif()
    if(EXISTS ${CMAKE_SOURCE_DIR}/fuzz/corpus/${short}.options)
      file(STRINGS ${CMAKE_SOURCE_DIR}/fuzz/corpus/${short}.options flags)
      separate_arguments(flags UNIX_COMMAND "${flags}")
      list(APPEND extra ${flags})
    endif()
    add_test(NAME fuzz_${short}
      COMMAND ${name} -max_total_time=${QUORIX_FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048
              -print_final_stats=1 ${extra} ${work} ${seed})
    set_tests_properties(fuzz_${short} PROPERTIES LABELS fuzz ENVIRONMENT "${QUORIX_TEST_ENV}"
      TIMEOUT 600)
  endforeach()
endfunction()

function(quorix_fuzz_replays)
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/Fuzz*.cpp)
  # The driver is compiled once for all of them.
  add_library(quorix_replay_main OBJECT ${CMAKE_SOURCE_DIR}/fuzz/driver/ReplayMain.cpp)
  target_compile_options(quorix_replay_main PRIVATE ${QUORIX_WARNINGS} ${QUORIX_DRIVER_OPTIONS})
  foreach(f ${srcs})
    get_filename_component(name ${f} NAME_WE)
    string(REGEX REPLACE "^Fuzz" "" short ${name})
    add_executable(replay_${short} ${f} $<TARGET_OBJECTS:quorix_replay_main>)
    target_compile_options(replay_${short} PRIVATE ${QUORIX_WARNINGS} ${QUORIX_DRIVER_OPTIONS})
    target_compile_definitions(replay_${short} PRIVATE QUORIX_FUZZ_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
    target_link_libraries(replay_${short} PRIVATE quorix_app)
    add_test(NAME replay_${short} COMMAND replay_${short} ${CMAKE_SOURCE_DIR}/fuzz/corpus/${short})
    set_tests_properties(replay_${short} PROPERTIES ENVIRONMENT "${QUORIX_TEST_ENV}" TIMEOUT 300)
  endforeach()
endfunction()

# bench/<Name>.cpp becomes bench_<Name> (Google Benchmark); built, not run by ctest.
function(quorix_benchmarks)
  find_package(benchmark REQUIRED)
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
  foreach(f ${srcs})
    get_filename_component(name ${f} NAME_WE)
    add_executable(bench_${name} ${f})
    target_compile_options(bench_${name} PRIVATE ${QUORIX_WARNINGS})
    target_link_libraries(bench_${name} PRIVATE quorix_app benchmark::benchmark benchmark::benchmark_main)
    quorix_copy_skin(bench_${name})
  endforeach()
endfunction()
