# Hosted-accounts watch: the GUI thread's longest stall while the watch replaces 50 rows, keeps the
# selection and announces an account gone offline, with the real client against an in-process
# sandbox. Uses the end-to-end test harness (tests/e2e).
if(TARGET hosting_e2e_harness)
  add_executable(hosted_accounts_watch_bench ${CMAKE_CURRENT_LIST_DIR}/hosted_accounts_watch_bench.cpp)
  target_link_libraries(hosted_accounts_watch_bench PRIVATE hosting_options hosting_e2e_harness benchmark::benchmark)
endif()
