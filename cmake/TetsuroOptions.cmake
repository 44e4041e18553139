# Warnings, wrap-around arithmetic as a safety net, and the sanitizer build.
add_library(tetsuro_options INTERFACE)
target_compile_options(tetsuro_options INTERFACE -Wall -Wextra -fwrapv)
target_include_directories(tetsuro_options INTERFACE
  ${PROJECT_SOURCE_DIR}/src ${CMAKE_BINARY_DIR}/generated)
if(TETSURO_SANITIZE)
  target_compile_options(tetsuro_options INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(tetsuro_options INTERFACE -fsanitize=address,undefined)
endif()

# tetsuro_library(name DEPS ...): one library per source folder, from every
# .cpp file in it.
function(tetsuro_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(tetsuro_${name} STATIC ${_src})
  target_link_libraries(tetsuro_${name} PUBLIC tetsuro_options ${ARG_DEPS})
endfunction()

# tetsuro_test(name LABEL label DEPS ...): one test program per tests/ folder;
# every GoogleTest case becomes a CTest test carrying the label.
function(tetsuro_test name)
  cmake_parse_arguments(ARG "" "LABEL" "DEPS;SOURCES" ${ARGN})
  if(ARG_SOURCES)
    set(_src ${ARG_SOURCES})
  else()
    file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  endif()
  add_executable(test_${name} ${_src})
  target_link_libraries(test_${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(test_${name} PRIVATE TETSURO_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  gtest_discover_tests(test_${name} PROPERTIES LABELS ${ARG_LABEL} DISCOVERY_TIMEOUT 60)
endfunction()
