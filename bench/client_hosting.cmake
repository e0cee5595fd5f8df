# Hosting: press on "获取二维码" to the code on screen, and the GUI thread's longest stall, with the
# real client against an in-process sandbox. Uses the end-to-end test harness (tests/e2e).
if(TARGET hosting_e2e_harness)
  add_executable(client_hosting_bench ${CMAKE_CURRENT_LIST_DIR}/client_hosting_bench.cpp)
  target_link_libraries(client_hosting_bench PRIVATE hosting_options hosting_e2e_harness benchmark::benchmark)
endif()
