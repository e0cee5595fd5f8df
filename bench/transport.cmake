# Transport: sequential form POSTs to a loopback peer, our WinHttp engine beside bare libcurl.
find_package(CURL REQUIRED)
add_executable(transport_bench ${CMAKE_CURRENT_LIST_DIR}/transport_bench.cpp
                               ${PROJECT_SOURCE_DIR}/tests/net/raw_http_server.cpp
                               ${PROJECT_SOURCE_DIR}/tests/net/loopback_socket.cpp)
target_include_directories(transport_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(transport_bench PRIVATE hosting_options hosting_net CURL::libcurl
                      benchmark::benchmark)
