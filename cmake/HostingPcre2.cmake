# Hosting::pcre2: PCRE2 with 8-bit code units. Linux takes the system's library, an MSVC build
# vcpkg's; a MinGW cross build compiles the source of Debian's package
# (scripts/fetch-windows-sources.sh unpacks it).
add_library(Hosting::pcre2 INTERFACE IMPORTED)
target_compile_definitions(Hosting::pcre2 INTERFACE PCRE2_CODE_UNIT_WIDTH=8)
if(NOT WIN32)
  pkg_check_modules(PCRE2 REQUIRED IMPORTED_TARGET libpcre2-8)
  target_link_libraries(Hosting::pcre2 INTERFACE PkgConfig::PCRE2)
  return()
endif()
if(NOT CMAKE_CROSSCOMPILING)
  find_package(PCRE2 CONFIG REQUIRED COMPONENTS 8BIT)
  target_link_libraries(Hosting::pcre2 INTERFACE PCRE2::8BIT)
  return()
endif()

file(GLOB _pcre2_sources LIST_DIRECTORIES true ${PROJECT_SOURCE_DIR}/build/deb-src/pcre2-*)
set(HOSTING_PCRE2_SOURCE_DIR "${_pcre2_sources}" CACHE PATH "PCRE2 sources for the cross build")
if(NOT EXISTS "${HOSTING_PCRE2_SOURCE_DIR}/CMakeLists.txt")
  message(FATAL_ERROR "No PCRE2 sources: run scripts/fetch-windows-sources.sh")
endif()
include(ExternalProject)
set(_pcre2_prefix ${CMAKE_BINARY_DIR}/pcre2)
ExternalProject_Add(pcre2_cross
  SOURCE_DIR ${HOSTING_PCRE2_SOURCE_DIR}
  PREFIX ${_pcre2_prefix}
  INSTALL_DIR ${_pcre2_prefix}/install
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
    -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER}
    -DCMAKE_INSTALL_PREFIX=<INSTALL_DIR>
    -DBUILD_SHARED_LIBS=OFF
    -DPCRE2_BUILD_PCRE2GREP=OFF
    -DPCRE2_BUILD_TESTS=OFF
    -DPCRE2_SUPPORT_JIT=ON
  BUILD_BYPRODUCTS ${_pcre2_prefix}/install/lib/libpcre2-8.a)
file(MAKE_DIRECTORY ${_pcre2_prefix}/install/include)
add_dependencies(Hosting::pcre2 pcre2_cross)
target_compile_definitions(Hosting::pcre2 INTERFACE PCRE2_STATIC)
target_include_directories(Hosting::pcre2 INTERFACE ${_pcre2_prefix}/install/include)
target_link_libraries(Hosting::pcre2 INTERFACE ${_pcre2_prefix}/install/lib/libpcre2-8.a)
