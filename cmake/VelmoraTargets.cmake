# Helpers that keep the layering of the code base a fact of the build.
include(GoogleTest)

set(VELMORA_ENGINE_FOLDERS core templates media effects preview production)

# The engine never includes QtWidgets: windows and widget views live in files named
# *_window.{h,cpp} or *_view.{h,cpp}
# (built into the *_ui libraries) and in src/app. This check runs before any engine
# library compiles and fails the build on an offending include.
string(REPLACE ";" "," _velmora_folders "${VELMORA_ENGINE_FOLDERS}")
add_custom_target(velmora_layering_check
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
          -DFOLDERS=${_velmora_folders}
          -P ${CMAKE_SOURCE_DIR}/cmake/check_no_widgets.cmake
  COMMENT "Checking that engine code does not include QtWidgets"
  VERBATIM)

# velmora_engine_library(NAME SOURCES ... LINKS ...): QtCore/QtGui only.
function(velmora_engine_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC Qt6::Core Qt6::Gui ${ARG_LINKS})
  add_dependencies(${name} velmora_layering_check)
endfunction()

# velmora_add_test(NAME SOURCES ... LINKS ...): one GoogleTest executable per area.
function(velmora_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} velmora_testsupport GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE VELMORA_DATA_ROOT="${VELMORA_DATA_ROOT}"
                                            VELMORA_BIN_DIR="${VELMORA_BIN_DIR}")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
                       PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
