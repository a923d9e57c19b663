fumi_add_bench(bench_print SOURCES ${CMAKE_CURRENT_LIST_DIR}/print_cards.cpp LIBS fumi_print)
