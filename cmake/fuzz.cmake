# Fuzz tree: the portable core built with clang for libFuzzer, under
# AddressSanitizer and UndefinedBehaviorSanitizer, and one program per fuzz
# target (fuzz/*_fuzz.cpp). scripts/fuzz builds and runs them.
set(fuzz_flags -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
               -fno-sanitize-recover=all -g -O1)

add_library(fuzz_core STATIC ${core_src} ${posix_src} ${tavrolin_portable} ${plotrelay_portable})
target_include_directories(fuzz_core PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/programs
                                            ${CMAKE_SOURCE_DIR}/fuzz ${CMAKE_SOURCE_DIR}/tests/unit)
target_compile_options(fuzz_core PUBLIC ${fuzz_flags})
find_package(ZLIB REQUIRED)  # deflate for the board house's archive
target_link_libraries(fuzz_core PUBLIC ZLIB::ZLIB)
# small line buffers: the short inputs cross their ends, and runs are quicker
target_compile_definitions(fuzz_core PUBLIC TAVROLIN_LINE_BUFFER=64)
# and less work for a step-and-repeat block before it is cut short
target_compile_definitions(fuzz_core PUBLIC TAVROLIN_RENDER_REPEAT_WORK=2e5)

file(GLOB fuzz_src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*_fuzz.cpp)
foreach(src ${fuzz_src})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_link_libraries(${name} PRIVATE fuzz_core)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
endforeach()
