# The 32-bit path of the in-memory loader, cross-built beside the 64-bit build with the i686
# toolchain (only built: 32-bit programs cannot run on our machines).
include(ExternalProject)
ExternalProject_Add(memory_module_i686
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/i686
  CMAKE_ARGS
    -G ${CMAKE_GENERATOR}
    -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/toolchains/mingw-w64-i686.cmake
    -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
    -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER}
    -DHOSTING_WERROR=${HOSTING_WERROR}
    -DHOSTING_CORE_ONLY=ON
    -DHOSTING_BUILD_TESTS=OFF
    -DHOSTING_BUILD_BENCH=OFF
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target hosting_memory_module
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON)
