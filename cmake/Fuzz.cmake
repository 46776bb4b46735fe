# The fuzzing build (-DTG_FUZZ=ON, CXX=clang++): every library and program compiled with
# the fuzzer's coverage instrumentation and with AddressSanitizer and
# UndefinedBehaviorSanitizer; the targets in fuzz/ link libFuzzer's main.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "TG_FUZZ needs clang++ (libFuzzer): configure with CXX=clang++")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                    -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)

