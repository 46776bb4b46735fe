# The fuzzing build (-DTG_FUZZ=ON, CXX=clang++): every library and program compiled with
# the fuzzer's coverage instrumentation and with AddressSanitizer and
# UndefinedBehaviorSanitizer; the targets in fuzz/ link libFuzzer's main.
# With -DTG_FUZZ_COVERAGE=ON the same targets are built instead with clang's source-based
# coverage and no sanitizers, to measure how much of each reader the corpora reach
# (scripts/fuzz-coverage).
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "TG_FUZZ needs clang++ (libFuzzer): configure with CXX=clang++")
endif()
option(TG_FUZZ_COVERAGE "Build the fuzz targets with source-based coverage, no sanitizers" OFF)
if(TG_FUZZ_COVERAGE)
  add_compile_options(-fprofile-instr-generate -fcoverage-mapping)
  add_link_options(-fprofile-instr-generate)
  return()
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                    -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)
# Copies and matrix arithmetic carry no coverage callbacks (fuzz/coverage_ignore.txt). The
# list's hash joins the command line so that a compiler cache sees when it changes.
set(TG_FUZZ_IGNORE ${CMAKE_SOURCE_DIR}/fuzz/coverage_ignore.txt)
file(MD5 ${TG_FUZZ_IGNORE} TG_FUZZ_IGNORE_HASH)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${TG_FUZZ_IGNORE})
add_compile_options(-fsanitize-coverage-ignorelist=${TG_FUZZ_IGNORE}
                    -DTG_FUZZ_IGNORE_HASH=${TG_FUZZ_IGNORE_HASH})
