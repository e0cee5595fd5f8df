# QR generator against libqrencode and zxing-cpp's writer: encode alone, and encode + render into
# a 200 x 200 BMP with the same scaling rule for all three.
add_executable(qr_bench ${CMAKE_CURRENT_LIST_DIR}/qr_bench.cpp)
target_link_libraries(qr_bench PRIVATE hosting_options hosting_qr benchmark::benchmark
                      PkgConfig::QRENCODE PkgConfig::ZXING)
target_compile_definitions(qr_bench PRIVATE ZX_USE_UTF8)
