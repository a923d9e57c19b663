# SPDX-License-Identifier: MIT
fumi_add_bench(print_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/print_bench.cpp LIBS fumi_print_qt)
