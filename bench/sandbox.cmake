# platform-sandbox under load: sessions polling code.do on loopback, beside a bare cpp-httplib
# server with the same tuning (the library's ceiling on this machine). Bounded; not in ctest.
add_executable(sandbox_load_bench ${CMAKE_CURRENT_LIST_DIR}/sandbox_load_bench.cpp)
target_link_libraries(sandbox_load_bench PRIVATE hosting_options sandbox_server benchmark::benchmark)
target_include_directories(sandbox_load_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
