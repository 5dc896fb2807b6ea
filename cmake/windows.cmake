# Windows tree: the shipped programs, the editor stand-in, the demo driver
# and the Wine test programs, 32-bit, static run-time, Unicode entry points.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0600)
add_link_options(-static -static-libgcc -static-libstdc++ -municode)
set(win_libs comctl32 comdlg32 shell32 ole32 uuid gdi32 user32 kernel32)

# The core's own platform halves (src/base/*_win.cpp) belong to it.
set(core_win_src ${win_src})
list(FILTER core_win_src INCLUDE REGEX "/src/base/[^/]*_win\\.cpp$")
list(FILTER win_src EXCLUDE REGEX "/src/base/[^/]*_win\\.cpp$")
add_library(core STATIC ${core_src} ${core_win_src})
target_include_directories(core PUBLIC ${CMAKE_SOURCE_DIR}/src)
# zlib of the MinGW-w64 tree, linked statically (libz.a under -static)
target_link_libraries(core PUBLIC z)

# The libraries' Windows halves (editor link, windows, dialogs).
add_library(winparts STATIC ${win_src})
target_include_directories(winparts PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(winparts PUBLIC core ${win_libs})

# Each shipped program: everything but its entry in a library (the Wine
# tests use the program's windows in their own process), and the program.
foreach(program ${shipped_programs})
  add_library(${program}_parts STATIC ${${program}_parts})
  target_include_directories(${program}_parts PUBLIC ${CMAKE_SOURCE_DIR}/programs)
  target_link_libraries(${program}_parts PUBLIC winparts)
  file(GLOB ${program}_rc CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/programs/${program}/*.rc)
  add_executable(${program} WIN32 ${${program}_entry} ${${program}_rc})
  target_link_libraries(${program} PRIVATE ${program}_parts)
  # The program ships without its symbol table; the copy with it stays in
  # symbols/ for reading the addresses of a crash.
  add_custom_command(TARGET ${program} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/symbols
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${program}> ${CMAKE_BINARY_DIR}/symbols/
    COMMAND ${CMAKE_STRIP} --strip-all $<TARGET_FILE:${program}>)
endforeach()

# The editor stand-in, for the tests and the demo.
file(GLOB standin_src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/testing/editor-standin/*.cpp
     ${CMAKE_SOURCE_DIR}/testing/editor-standin/*.rc)
add_executable(editor-standin WIN32 ${standin_src})
target_include_directories(editor-standin PRIVATE ${CMAKE_SOURCE_DIR}/testing/editor-standin)
target_link_libraries(editor-standin PRIVATE winparts)

# GoogleTest built from Debian's sources for the Wine tests.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Starting programs and finding their windows: shared by the Wine tests, the
# Wine benchmarks and the demo driver.
file(GLOB harness_src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/testing/harness/*.cpp)
add_library(winharness STATIC ${harness_src})
target_include_directories(winharness PUBLIC ${CMAKE_SOURCE_DIR}/testing/harness)
target_link_libraries(winharness PUBLIC winparts)

file(GLOB wine_src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/*.cpp)
add_executable(wine_tests ${wine_src})
target_include_directories(wine_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/wine)
target_link_libraries(wine_tests PRIVATE winharness tavrolin_parts plotrelay_parts winparts gtest version)
# a console program: gtest needs a console entry
set_target_properties(wine_tests PROPERTIES LINK_FLAGS "")

# Benchmarks under Wine: a program of their own, run once by the test command
# (it fails when the work it times fails) and never counted as tests.
file(GLOB wine_bench_src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/wine/*.cpp)
add_executable(wine_bench ${wine_bench_src} ${CMAKE_SOURCE_DIR}/tests/wine/wine_main.cpp
               ${CMAKE_SOURCE_DIR}/tests/wine/program_fixture.cpp)
target_include_directories(wine_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests/wine)
target_link_libraries(wine_bench PRIVATE winharness tavrolin_parts winparts gtest psapi)
set_target_properties(wine_bench PROPERTIES LINK_FLAGS "")

# The demo driver: works the programs as an operator would, for scripts/demo.
file(GLOB demo_src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/testing/demo-driver/*.cpp)
add_executable(demo-driver WIN32 ${demo_src})
target_link_libraries(demo-driver PRIVATE winharness winparts)

# gerber-render: Gerber and drill files drawn into a PNG (not shipped).
file(GLOB gerber_render_src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/gerber-render/*.cpp)
add_executable(gerber-render ${gerber_render_src})
target_include_directories(gerber-render PRIVATE /usr/include/stb)
target_link_libraries(gerber-render PRIVATE core)
