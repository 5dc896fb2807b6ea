# Native tree: the portable core and the GoogleTest unit tests, run under
# AddressSanitizer and UndefinedBehaviorSanitizer.
enable_testing()
find_package(GTest REQUIRED)
find_package(Threads REQUIRED)
find_package(ZLIB REQUIRED)  # deflate for the board house's archive

set(sanitize -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)

add_library(core STATIC ${core_src} ${posix_src})
target_include_directories(core PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(core PUBLIC ${sanitize})
target_link_options(core PUBLIC ${sanitize})
target_link_libraries(core PUBLIC ZLIB::ZLIB)

# The programs' portable parts, for the unit tests.
add_library(program_cores STATIC ${tavrolin_portable} ${plotrelay_portable})
target_include_directories(program_cores PUBLIC ${CMAKE_SOURCE_DIR}/programs)
target_link_libraries(program_cores PUBLIC core)

file(GLOB unit_src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${unit_src})
target_include_directories(unit_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/unit)
target_link_libraries(unit_tests PRIVATE program_cores core GTest::gtest GTest::gtest_main GTest::gmock Threads::Threads)
target_compile_definitions(unit_tests PRIVATE TEST_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
include(GoogleTest)
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60)

# Benchmarks: plain programs that print figures; never run by the tests.
# They link an optimised core without the sanitizers.
file(GLOB bench_src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*_bench.cpp)
if(bench_src)
  add_library(core_fast STATIC ${core_src} ${posix_src} ${tavrolin_portable})
  target_include_directories(core_fast PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/programs)
  target_compile_options(core_fast PRIVATE -O2)
  target_link_libraries(core_fast PUBLIC ZLIB::ZLIB)
endif()
foreach(src ${bench_src})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_link_libraries(${name} PRIVATE core_fast)
  target_compile_options(${name} PRIVATE -O2)
endforeach()

# gerber-render: the drawing of Gerber and drill files into a PNG, optimised
# and without the sanitizers (the unit tests check the drawing under them).
file(GLOB render_src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/render/*.cpp)
add_library(render_fast STATIC ${render_src})
target_include_directories(render_fast PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(render_fast PRIVATE -O2)
file(GLOB gerber_render_src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/gerber-render/*.cpp)
add_executable(gerber-render ${gerber_render_src})
target_include_directories(gerber-render PRIVATE /usr/include/stb)
target_compile_options(gerber-render PRIVATE -O2)
target_link_libraries(gerber-render PRIVATE render_fast ZLIB::ZLIB)
# the render benchmark runs gerber-render beside gerbv
add_dependencies(render_bench gerber-render)
