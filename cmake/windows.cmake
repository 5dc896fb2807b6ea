# Windows tree: tavrolin.exe, the plot driver, the editor stand-in and the
# Wine test programs, 32-bit, static run-time, Unicode entry points.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0600)
add_link_options(-static -static-libgcc -static-libstdc++ -municode)
set(win_libs comctl32 comdlg32 shell32 ole32 uuid gdi32 user32 kernel32)

# The core's own platform halves (src/base/*_win.cpp) belong to it.
set(core_win_src ${win_src})
list(FILTER core_win_src INCLUDE REGEX "/src/base/[^/]*_win\\.cpp$")
list(FILTER win_src EXCLUDE REGEX "/src/base/[^/]*_win\\.cpp$")
add_library(core STATIC ${core_src} ${core_win_src})
target_include_directories(core PUBLIC ${CMAKE_SOURCE_DIR}/src)

# Windows pieces shared by the programs (editor primitives, window helpers).
# Program entries (*_main_win.cpp) stay out of it.
set(entry_src ${win_src})
list(FILTER entry_src INCLUDE REGEX "_main_win\\.cpp$")
list(FILTER win_src EXCLUDE REGEX "_main_win\\.cpp$")
add_library(winparts STATIC ${win_src})
target_include_directories(winparts PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(winparts PUBLIC core ${win_libs})

file(GLOB app_rc CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/app/*.rc)
add_executable(tavrolin WIN32 ${entry_src} ${app_rc})
target_link_libraries(tavrolin PRIVATE winparts)

foreach(tool editor-standin plotrelay)
  file(GLOB_RECURSE tool_src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/${tool}/*.cpp
       ${CMAKE_SOURCE_DIR}/tools/${tool}/*.rc)
  if(tool_src)
    add_executable(${tool} WIN32 ${tool_src})
    target_include_directories(${tool} PRIVATE ${CMAKE_SOURCE_DIR}/tools/${tool})
    target_link_libraries(${tool} PRIVATE winparts)
  endif()
endforeach()

# GoogleTest built from Debian's sources for the Wine tests.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)


# Starting programs and finding their windows: shared by the Wine tests and
# the demo driver.
set(harness_src ${CMAKE_SOURCE_DIR}/tests/wine/harness.cpp ${CMAKE_SOURCE_DIR}/tests/wine/repo_paths.cpp
    ${CMAKE_SOURCE_DIR}/tests/wine/editor_standin.cpp ${CMAKE_SOURCE_DIR}/tests/wine/program_launch.cpp)
add_library(winharness STATIC ${harness_src})
target_include_directories(winharness PUBLIC ${CMAKE_SOURCE_DIR}/tests/wine)
target_link_libraries(winharness PUBLIC winparts)

file(GLOB wine_src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/*.cpp)
list(REMOVE_ITEM wine_src ${harness_src})
add_executable(wine_tests ${wine_src})
target_include_directories(wine_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/wine)
target_link_libraries(wine_tests PRIVATE winharness winparts gtest)

# Benchmarks under Wine: a program of their own, run once by the test command
# (it fails when the work it times fails) and never counted as tests.
file(GLOB wine_bench_src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/wine/*.cpp)
add_executable(wine_bench ${wine_bench_src} ${CMAKE_SOURCE_DIR}/tests/wine/wine_main.cpp
               ${CMAKE_SOURCE_DIR}/tests/wine/program_fixture.cpp)
target_include_directories(wine_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests/wine)
target_link_libraries(wine_bench PRIVATE winharness winparts gtest)
set_target_properties(wine_bench PROPERTIES LINK_FLAGS "")

# The demo driver: works the programs as an operator would, for scripts/demo.
file(GLOB demo_src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/demo-driver/*.cpp)
add_executable(demo-driver WIN32 ${demo_src})
target_link_libraries(demo-driver PRIVATE winharness winparts)
# Console program: remove -mwindows effects; gtest needs a console entry.
set_target_properties(wine_tests PROPERTIES LINK_FLAGS "")
