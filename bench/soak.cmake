# hosting-soak: the client's flows round after round against an in-process sandbox for a given
# time, sampling memory and threads (not a Google Benchmark: one long run with a curve).
if(TARGET hosting_e2e_harness)
  add_executable(hosting-soak ${CMAKE_CURRENT_LIST_DIR}/soak_main.cpp
                              ${CMAKE_CURRENT_LIST_DIR}/soak_series.cpp
                              ${CMAKE_CURRENT_LIST_DIR}/process_probe.cpp)
  target_link_libraries(hosting-soak PRIVATE hosting_options hosting_e2e_harness)
endif()
