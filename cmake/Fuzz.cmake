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
# Copies and matrix arithmetic carry no coverage callbacks (fuzz/coverage_ignore.txt), and
# the compiler-made copies of the by-value course records no sanitizer checks
# (fuzz/sanitizer_ignore.txt). Each list reaches the compiler as a copy without its
# comments whose name holds its hash: a compiler cache that matches on the preprocessed
# source and the command line then still sees when a list's entries change.
function(tg_fuzz_list option list)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${list})
  file(STRINGS ${list} entries REGEX "^[^#]")
  list(JOIN entries "\n" entries)
  string(MD5 hash "${entries}")
  get_filename_component(name ${list} NAME_WE)
  set(copy ${CMAKE_BINARY_DIR}/fuzz-lists/${name}-${hash}.txt)
  if(NOT EXISTS ${copy})
    file(GLOB stale ${CMAKE_BINARY_DIR}/fuzz-lists/${name}-*.txt)
    if(stale)
      file(REMOVE ${stale})
    endif()
    file(WRITE ${copy} "${entries}\n")
  endif()
  add_compile_options(${option}=${copy})
endfunction()
tg_fuzz_list(-fsanitize-coverage-ignorelist ${CMAKE_SOURCE_DIR}/fuzz/coverage_ignore.txt)
tg_fuzz_list(-fsanitize-ignorelist ${CMAKE_SOURCE_DIR}/fuzz/sanitizer_ignore.txt)
