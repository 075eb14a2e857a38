# The portable core built for this machine: unit tests, fuzz targets, benchmarks
# and the command-line tool zavcaption.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

option(ZAV_FUZZ "Build the libFuzzer targets (clang only)" ON)
option(ZAV_BENCH "Build the benchmarks" ON)

foreach(dir tests/native fuzz bench cli)
  if(EXISTS ${ZAV_ROOT}/${dir}/CMakeLists.txt)
    add_subdirectory(${ZAV_ROOT}/${dir} ${CMAKE_BINARY_DIR}/${dir})
  endif()
endforeach()
