# SPDX-License-Identifier: MIT
fumi_add_bench(vertical_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/vertical_bench.cpp LIBS fumi_tpl_label fumi_book)
