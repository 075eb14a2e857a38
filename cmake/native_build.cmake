# The portable core built for this machine: unit tests, fuzz targets, benchmarks
# and the command-line tool zavcaption.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# GoogleTest is not ours to keep free of warnings; optimised lightly, as test code.
foreach(target gtest gtest_main)
  if(TARGET ${target})
    target_compile_options(${target} PRIVATE -w -O0)
  endif()
endforeach()

option(ZAV_FUZZ "Build the libFuzzer targets (clang only)" ON)
option(ZAV_SANITIZE_TESTS "Run the unit tests under AddressSanitizer and UndefinedBehaviorSanitizer" ON)

# The core once more for the unit tests, the command-line tool and its tests,
# instrumented so that an overflow or undefined behaviour fails the test that caused
# it; the flags reach every target that links it. Only the benchmarks keep the plain
# core, which is therefore built only for them (`make bench`).
set(ZAV_CHECKED_CORE zavcore)
if(ZAV_SANITIZE_TESTS AND CMAKE_CXX_COMPILER_ID MATCHES "Clang|GNU")
  set(ZAV_SANITIZE_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_library(zavcore_checked STATIC ${ZAV_CORE_SOURCES})
  target_include_directories(zavcore_checked PUBLIC ${ZAV_ROOT})
  target_compile_options(zavcore_checked PUBLIC ${ZAV_SANITIZE_FLAGS})
  target_link_options(zavcore_checked PUBLIC ${ZAV_SANITIZE_FLAGS})
  # The fuzzers' coverage hooks too, so that the fuzz targets link this same core
  # rather than a third build of it; in the unit tests the hooks do nothing.
  if(ZAV_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    target_compile_options(zavcore_checked PRIVATE -fsanitize=fuzzer-no-link)
  endif()
  set(ZAV_CHECKED_CORE zavcore_checked)
  set_target_properties(zavcore PROPERTIES EXCLUDE_FROM_ALL ON)
endif()
option(ZAV_BENCH "Build the benchmarks" ON)

foreach(dir tests/native fuzz bench cli)
  if(EXISTS ${ZAV_ROOT}/${dir}/CMakeLists.txt)
    add_subdirectory(${ZAV_ROOT}/${dir} ${CMAKE_BINARY_DIR}/${dir})
  endif()
endforeach()
