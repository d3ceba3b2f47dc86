# One library target per source folder; the folder's sources are picked up by glob so that a
# new file needs no edit here.
set(PLANTREK_WARNINGS -Wall -Wextra)

function(plantrek_add_library target folder)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}/src")
  target_compile_options(${target} PRIVATE ${PLANTREK_WARNINGS})
  target_link_libraries(${target} PUBLIC ${ARG_DEPENDS})
endfunction()

# A test executable per source folder: tests/<folder>/*.cpp against that folder's library.
function(plantrek_add_test_suite name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE "${PROJECT_SOURCE_DIR}/tests")
  target_compile_options(${name} PRIVATE ${PLANTREK_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} plantrek_test_support GTest::gtest GTest::gmock)
  # One CTest test per suite: a sanitized process costs a fraction of a second to start, so
  # running each case in its own process would cost more than the cases themselves.
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;PLANTREK_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data"
    TIMEOUT 900)
endfunction()
