# briven_folder_library(NAME DEPS libs...)
# The static library of one subsystem folder: every .cpp in the folder and
# its subfolders.
function(briven_folder_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# briven_folder_tests(NAME DEPS libs...)
# One GoogleTest executable from every *Test.cpp in a test folder (helpers
# beside them are any other .cpp). ctest runs its cases one by one; tests
# never open a display, so DISPLAY is cleared for them.
function(briven_folder_tests name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock Threads::Threads)
  target_compile_definitions(${name} PRIVATE
    BRIVEN_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    BRIVEN_TEST_BINARY_DIR="${CMAKE_CURRENT_BINARY_DIR}")
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT 120 ENVIRONMENT "DISPLAY=")
endfunction()
