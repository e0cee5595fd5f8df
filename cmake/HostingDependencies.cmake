# The outside libraries every build needs (Debian package names in scripts/debian-packages.txt).
# Libraries of one part only (Qt, libcurl, OpenSSL, SQLite, cpp-httplib, zxing) are found in the
# folders that use them.
find_package(Threads REQUIRED)
if(NOT WIN32)
  find_package(PkgConfig REQUIRED)
endif()

# nlohmann/json is header-only: a cross build takes the host's headers, and nothing else of
# /usr/include, through a folder that holds only them.
if(CMAKE_CROSSCOMPILING)
  find_path(HOSTING_NLOHMANN_DIR nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  set(_json_include ${CMAKE_BINARY_DIR}/host-headers)
  file(MAKE_DIRECTORY ${_json_include})
  file(CREATE_LINK ${HOSTING_NLOHMANN_DIR}/nlohmann ${_json_include}/nlohmann SYMBOLIC)
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
  target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${_json_include})
else()
  find_package(nlohmann_json 3.10 REQUIRED)
endif()

if(NOT WIN32)
  find_package(Iconv REQUIRED)
  # Optional: the client reads the font configuration early where Qt draws text through it.
  pkg_check_modules(FONTCONFIG IMPORTED_TARGET fontconfig)
endif()

if(HOSTING_BUILD_TESTS)
  if(CMAKE_CROSSCOMPILING)
    # Compiled for the target from the sources Debian's googletest package installs (they define
    # the GTest:: names).
    set(_gtest_sources /usr/src/googletest)
    if(NOT EXISTS ${_gtest_sources}/CMakeLists.txt)
      message(FATAL_ERROR "GoogleTest sources not found in ${_gtest_sources} (package googletest)")
    endif()
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${_gtest_sources} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  else()
    find_package(GTest REQUIRED)
  endif()
endif()

if(NOT HOSTING_CORE_ONLY)
  find_package(Qt6 REQUIRED COMPONENTS Widgets Test)
endif()
# The sandbox and the tests and benchmarks around it are Linux programs.
if(NOT HOSTING_CORE_ONLY AND NOT WIN32)
  find_package(SQLite3 REQUIRED)
  pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
  if(HOSTING_BUILD_TESTS OR HOSTING_BUILD_BENCH)
    pkg_check_modules(ZXING REQUIRED IMPORTED_TARGET zxing)
  endif()
endif()
if(HOSTING_BUILD_BENCH)
  find_package(benchmark REQUIRED)
  pkg_check_modules(QRENCODE REQUIRED IMPORTED_TARGET libqrencode)
endif()

# Wine runs the cross-built test programs (and GoogleTest's discovery) in a prefix of this build.
if(CMAKE_CROSSCOMPILING AND WIN32 AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(HOSTING_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
  find_program(HOSTING_WINE64 NAMES wine64 wine)
  if(HOSTING_WINE64)
    set(CMAKE_CROSSCOMPILING_EMULATOR
        ${CMAKE_COMMAND} -E env WINEDEBUG=-all WINEPREFIX=${CMAKE_BINARY_DIR}/wine-prefix ${HOSTING_WINE64})
  endif()
endif()
