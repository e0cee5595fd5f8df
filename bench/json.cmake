# JsonObject: parse a platform list answer and read it field by field, as the flows do.
add_executable(json_bench ${CMAKE_CURRENT_LIST_DIR}/json_bench.cpp)
target_link_libraries(json_bench PRIVATE hosting_options hosting_data benchmark::benchmark)
