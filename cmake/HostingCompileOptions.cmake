# Warning and sanitizer flags shared by every target of the project.
add_library(hosting_options INTERFACE)
target_compile_options(hosting_options INTERFACE
  $<$<CXX_COMPILER_ID:GNU,Clang>:-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual>
  $<$<CXX_COMPILER_ID:MSVC>:/W4 /utf-8>)
if(HOSTING_WERROR)
  target_compile_options(hosting_options INTERFACE
    $<$<CXX_COMPILER_ID:GNU,Clang>:-Werror>
    $<$<CXX_COMPILER_ID:MSVC>:/WX>)
endif()

if(HOSTING_SANITIZE STREQUAL "address")
  set(_hosting_san -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
elseif(HOSTING_SANITIZE STREQUAL "thread")
  set(_hosting_san -fsanitize=thread -fno-omit-frame-pointer)
elseif(NOT HOSTING_SANITIZE STREQUAL "")
  message(FATAL_ERROR "HOSTING_SANITIZE must be empty, address or thread")
endif()
if(_hosting_san)
  target_compile_options(hosting_options INTERFACE ${_hosting_san})
  target_link_options(hosting_options INTERFACE ${_hosting_san})
endif()

# Libraries of the project link hosting_options privately and PUBLIC where headers need it.
function(hosting_library name)
  add_library(${name} STATIC ${ARGN})
  target_link_libraries(${name} PRIVATE hosting_options)
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
endfunction()

# One GoogleTest program; its cases are registered with CTest one by one. Every case is labelled
# with its folder under tests/ (net, sandbox, ...), with `threads` when that folder is listed in
# HOSTING_THREADED_TEST_FOLDERS, with `gui` when it runs on a Qt platform, and with the LABELS
# given, so `ctest -L` picks a group (`ctest -L 'threads|gui'`).
function(hosting_test name)
  # SUFFIX tells apart the tests of programs built from the same sources (run in other settings).
  # LAUNCHER is a command that runs the program (its listing and each case), e.g. beside a server.
  cmake_parse_arguments(T "" "SUFFIX" "SOURCES;LIBS;ENV;LABELS;LAUNCHER" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE hosting_options ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  if(T_LAUNCHER)
    set_property(TARGET ${name} PROPERTY CROSSCOMPILING_EMULATOR ${T_LAUNCHER} ${CMAKE_CROSSCOMPILING_EMULATOR})
  endif()
  gtest_discover_tests(${name} TEST_SUFFIX "${T_SUFFIX}" DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)

  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR})
  string(REGEX REPLACE "/.*" "" folder "${folder}")
  set(labels ${folder} ${T_LABELS})
  if(folder IN_LIST HOSTING_THREADED_TEST_FOLDERS)
    list(APPEND labels threads)
  endif()
  if(T_ENV MATCHES "QT_QPA_PLATFORM=")
    list(APPEND labels gui)
  endif()
  list(REMOVE_DUPLICATES labels)
  # Discovery splits list-valued properties, so labels and environment are set by a script of
  # its own that runs after the discovered tests are added.
  set(properties "LABELS [==[${labels}]==]")
  if(T_ENV)
    string(APPEND properties " ENVIRONMENT [==[${T_ENV}]==]")
  endif()
  set(properties_script ${CMAKE_CURRENT_BINARY_DIR}/${name}_properties.cmake)
  file(GENERATE OUTPUT ${properties_script} CONTENT
    "if(${name}_TESTS)\n  set_tests_properties(\${${name}_TESTS} PROPERTIES ${properties})\nendif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${properties_script})
endfunction()
