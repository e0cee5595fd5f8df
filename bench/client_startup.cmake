# Client start-up: process start to LoginWindow mapped, and peak memory, beside a bare Qt window.
# Needs an X display (xvfb-run) and a D-Bus session bus (dbus-run-session); see the header of
# client_startup_bench.cpp.
add_executable(bare_qt_window ${CMAKE_CURRENT_LIST_DIR}/bare_qt_window.cpp)
target_link_libraries(bare_qt_window PRIVATE hosting_options Qt6::Widgets)
add_executable(client_startup_bench ${CMAKE_CURRENT_LIST_DIR}/client_startup_bench.cpp)
target_link_libraries(client_startup_bench PRIVATE hosting_options benchmark::benchmark X11)
target_compile_definitions(client_startup_bench PRIVATE
  HOSTING_CLIENT_PATH="$<TARGET_FILE:hosting-client>"
  BARE_WINDOW_PATH="$<TARGET_FILE:bare_qt_window>")
add_dependencies(client_startup_bench hosting-client bare_qt_window)
