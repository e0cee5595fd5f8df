# client-screenshots: grabs the windows on the README's pages (scripts/screenshots.sh); like the
# soak, a program around the client on the end-to-end harness, not a test and not a benchmark.
if(TARGET hosting_e2e_harness)
  add_executable(client-screenshots ${CMAKE_CURRENT_LIST_DIR}/client_screenshots.cpp)
  target_link_libraries(client-screenshots PRIVATE hosting_options hosting_e2e_harness)
endif()
