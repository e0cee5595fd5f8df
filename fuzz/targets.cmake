# The fuzz targets, shared by the libFuzzer programs (fuzz/CMakeLists.txt) and the replay tests of
# their seeds and regression inputs (tests/fuzz). Each target is fuzz/<name>_fuzz.cpp.
set(HOSTING_FUZZ_DIR ${CMAKE_CURRENT_LIST_DIR})
set(HOSTING_FUZZ_TARGETS json cookies settings text qr memory_module sandbox)

set(HOSTING_FUZZ_LIBS_json hosting_data)
set(HOSTING_FUZZ_LIBS_cookies hosting_net)
set(HOSTING_FUZZ_LIBS_settings hosting_settings)
set(HOSTING_FUZZ_LIBS_text hosting_net)
set(HOSTING_FUZZ_LIBS_qr hosting_qr PkgConfig::ZXING)
set(HOSTING_FUZZ_LIBS_memory_module hosting_memory_module)
set(HOSTING_FUZZ_LIBS_sandbox sandbox_server hosting_net)

add_library(hosting_fuzz_support STATIC ${HOSTING_FUZZ_DIR}/fuzz_support.cpp)
target_link_libraries(hosting_fuzz_support PRIVATE hosting_options)

# One program of fuzz target `target`; the caller's extra sources or link options give it a main.
function(hosting_fuzz_program program target)
  add_executable(${program} ${HOSTING_FUZZ_DIR}/${target}_fuzz.cpp ${ARGN})
  target_include_directories(${program} PRIVATE ${HOSTING_FUZZ_DIR})
  target_link_libraries(${program}
    PRIVATE hosting_options hosting_fuzz_support ${HOSTING_FUZZ_LIBS_${target}})
endfunction()
