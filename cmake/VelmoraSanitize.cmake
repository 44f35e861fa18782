# Sanitizer and fuzzing builds, both off by default and both clang only.
#
# VELMORA_SANITIZE=ON builds every library, program and test with AddressSanitizer and
# UndefinedBehaviorSanitizer; any report stops the process (-fno-sanitize-recover=all), so a
# finding fails the test that met it. Programs the tests start (velmora-make, the data builder)
# are built the same way.
# VELMORA_FUZZ=ON (needs VELMORA_SANITIZE) also adds libFuzzer's coverage instrumentation to
# everything and builds the fuzz targets of tests/fuzz. One build folder then serves both the
# sanitized suite and the fuzzers.
option(VELMORA_SANITIZE "Build everything with AddressSanitizer and UBSan (clang)" OFF)
option(VELMORA_FUZZ "Build the libFuzzer targets of tests/fuzz (needs VELMORA_SANITIZE)" OFF)

if(VELMORA_FUZZ AND NOT VELMORA_SANITIZE)
  message(FATAL_ERROR "VELMORA_FUZZ needs VELMORA_SANITIZE=ON")
endif()

if(VELMORA_SANITIZE)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "VELMORA_SANITIZE needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  set(_velmora_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all)
  add_compile_options(${_velmora_sanitizers} -fno-omit-frame-pointer)
  add_link_options(${_velmora_sanitizers})
  if(VELMORA_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link)
    add_link_options(-fsanitize=fuzzer-no-link)
  endif()
endif()

# velmora_add_fuzzer(NAME SOURCES ... LINKS ...): a libFuzzer executable in build/fuzz/.
function(velmora_add_fuzzer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LINKS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
endfunction()
