# The Windows program, the replacement player control and the Wine-side tests.
enable_language(RC)

if(MINGW)
  # Static runtime: the program needs no MinGW DLLs beside it.
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
else()
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
endif()

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

set(ZAV_WIN_LIBS comctl32 comdlg32 ole32 oleaut32 uuid strmiids gdi32 user32 shlwapi advapi32 shell32)

add_library(zavapp STATIC ${ZAV_WIN_SOURCES})
target_include_directories(zavapp PUBLIC ${ZAV_ROOT})
# Most of a shell source's compile time is spent reading windows.h and the standard
# headers: compiled eight sources to a unit, each header is read once per eight.
# Names with internal linkage must therefore differ between the shell's sources.
# The DirectShow headers bring strsafe.h, which takes swprintf and its kin away from
# every source after them: the sources on DirectShow are compiled on their own.
set_target_properties(zavapp PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
set_source_files_properties(${ZAV_ROOT}/win/pcm_sound_graph.cpp ${ZAV_ROOT}/playback/system_sound_decoder.cpp
                            PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
target_link_libraries(zavapp PUBLIC zavcore ${ZAV_WIN_LIBS})

# Resources go into every executable that creates the program's windows, because
# they are loaded from the executable's own module.
add_library(zavres OBJECT ${ZAV_ROOT}/resources/zavcaption.rc)
target_include_directories(zavres PRIVATE ${ZAV_ROOT})

# The version (project() in the top CMakeLists.txt) for the program's version
# resource, and as plain text for packaging/make-packages.sh (make dist).
configure_file(${ZAV_ROOT}/resources/zav_version.h.in ${CMAKE_BINARY_DIR}/generated/zav_version.h @ONLY)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/zav_version.txt CONTENT "@PROJECT_VERSION@\n" @ONLY)
set_source_files_properties(${ZAV_ROOT}/resources/version.rc PROPERTIES
  OBJECT_DEPENDS ${CMAKE_BINARY_DIR}/generated/zav_version.h)

add_executable(ZAVCaption WIN32 ${ZAV_ROOT}/app/main.cpp ${ZAV_ROOT}/resources/version.rc $<TARGET_OBJECTS:zavres>)
target_include_directories(ZAVCaption PRIVATE ${CMAKE_BINARY_DIR}/generated)
target_link_libraries(ZAVCaption PRIVATE zavapp)
if(MINGW)
  target_link_options(ZAVCaption PRIVATE -municode)
endif()
add_custom_command(TARGET ZAVCaption POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different "${ZAV_ROOT}/resources/ZAV Caption.jpg"
          "$<TARGET_FILE_DIR:ZAVCaption>/ZAV Caption.jpg")

if(EXISTS ${ZAV_ROOT}/mediaplayer/CMakeLists.txt)
  add_subdirectory(${ZAV_ROOT}/mediaplayer ${CMAKE_BINARY_DIR}/mediaplayer)
endif()

# The tests need GoogleTest's sources (Debian's googletest package under Linux; on
# Windows pass -DGOOGLETEST_SOURCE_DIR=<a googletest checkout>). Without them only
# the program and the player control are built.
if(NOT EXISTS ${GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
  message(STATUS "GoogleTest sources not found in ${GOOGLETEST_SOURCE_DIR}: building without the tests")
  return()
endif()

# GoogleTest cross-compiled for the Wine-side tests.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# GoogleTest is not ours to keep free of warnings; optimised lightly, as test code.
foreach(target gtest gtest_main)
  if(TARGET ${target})
    target_compile_options(${target} PRIVATE -w -O0)
  endif()
endforeach()

# The test programs' own code (not the program's, which stays a Release build) is
# compiled without optimisation: it costs a third of the time, and what the tests
# check is the Release code they link. Every test source starts from one
# precompiled header of windows.h, GoogleTest and the standard headers the tests
# use, built once and shared: reading them took most of each test source's time.
# -Winvalid-pch makes a header that could not be used an error, not a slow build.
set(ZAV_TEST_CODE_OPTIONS -O0)
file(WRITE ${CMAKE_BINARY_DIR}/wine_test_pch.cpp "// Owner of the Wine tests' precompiled header.\n")
add_library(zav_wine_test_pch OBJECT ${CMAKE_BINARY_DIR}/wine_test_pch.cpp)
target_link_libraries(zav_wine_test_pch PRIVATE zavapp gtest)
target_compile_options(zav_wine_test_pch PRIVATE ${ZAV_TEST_CODE_OPTIONS} -Winvalid-pch)
target_precompile_headers(zav_wine_test_pch PRIVATE <windows.h> <commctrl.h> <gtest/gtest.h>
                          <functional> <memory> <string> <vector>)

# zav_wine_test_code(target): compiles a test program's sources as said above.
function(zav_wine_test_code target)
  target_compile_options(${target} PRIVATE ${ZAV_TEST_CODE_OPTIONS} -Winvalid-pch)
  target_precompile_headers(${target} REUSE_FROM zav_wine_test_pch)
endfunction()

# zav_add_wine_test(name SOURCES ... [LIBS ...] [GROUPS group filter ...]): a
# GoogleTest program run under Wine by CTest (the toolchain's emulator), with the
# program's resources linked in. With GROUPS the program runs as several CTest
# entries, name_group each with its --gtest_filter, each well under a minute; a last
# entry name_rest runs whatever no group names.
#
# Every test program run under Wine goes to a desktop of its own: on one Wine desktop
# a window that another test program activates takes the keyboard focus from the
# windows of the first, and the tests of focus would fail by chance. make test-win
# runs CTest in tools/wine-desktops, whose desktops each have a display and a Wine
# prefix of their own; tools/wine-run (the emulator) waits for a free one
# (tools/on-desktop), so the programs of different desktops run side by side. A
# script test that starts Wine programs runs under ZAV_ON_DESKTOP (one desktop) or
# ZAV_ON_EVERY_DESKTOP (all of them, to set something up in every prefix).
set(ZAV_ON_DESKTOP ${ZAV_ROOT}/tools/on-desktop)
set(ZAV_ON_EVERY_DESKTOP ${ZAV_ROOT}/tools/on-desktop --every)

function(zav_add_wine_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;GROUPS" ${ARGN})
  add_executable(${name} ${T_SOURCES} $<TARGET_OBJECTS:zavres>)
  target_link_libraries(${name} PRIVATE zavapp gtest ${T_LIBS})
  target_include_directories(${name} PRIVATE ${ZAV_ROOT})
  zav_wine_test_code(${name})
  if(NOT T_GROUPS)
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
    set_tests_properties(${name} PROPERTIES LABELS wine TIMEOUT 600)
    return()
  endif()
  set(named "")
  while(T_GROUPS)
    list(POP_FRONT T_GROUPS group filter)
    add_test(NAME ${name}_${group} COMMAND ${name} --gtest_color=no --gtest_filter=${filter})
    set_tests_properties(${name}_${group} PROPERTIES LABELS wine TIMEOUT 600)
    string(APPEND named ":${filter}")
  endwhile()
  string(SUBSTRING "${named}" 1 -1 named)
  add_test(NAME ${name}_rest COMMAND ${name} --gtest_color=no --gtest_filter=-${named})
  set_tests_properties(${name}_rest PROPERTIES LABELS wine TIMEOUT 600)
endfunction()

foreach(dir tests/win tests/win/player tests/win/captions tests/win/resources tests/win/package)
  if(EXISTS ${ZAV_ROOT}/${dir}/CMakeLists.txt)
    add_subdirectory(${ZAV_ROOT}/${dir} ${CMAKE_BINARY_DIR}/${dir})
  endif()
endforeach()
