# The GUI thread's longest stall while the real client meets hostile answers from the tests'
# scripted platform (tests/hostile), flow by flow.
if(TARGET hosting_e2e_harness AND TARGET hostile_testing)
  add_executable(hostile_gui_bench ${CMAKE_CURRENT_LIST_DIR}/hostile_gui_bench.cpp)
  target_link_libraries(hostile_gui_bench PRIVATE hosting_options hosting_e2e_harness hostile_testing benchmark::benchmark)
endif()
