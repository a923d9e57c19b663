# SPDX-License-Identifier: MIT
# Opening a book of 100,000 cards through the main window, and scrolling its
# grid; it drives the window with the tests' fake services.
fumi_add_bench(app_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/app_bench.cpp
    LIBS fumi_app_widgets fumi_test_support)
target_compile_definitions(app_bench PRIVATE FUMI_BENCH_RUNTIME_DIR="${FUMI_RUNTIME_DIR}")
