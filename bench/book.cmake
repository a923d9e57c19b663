# SPDX-License-Identifier: MIT
# Opening and saving generated books of 10,000 and 100,000 cards.
fumi_add_bench(book_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/book_bench.cpp LIBS fumi_book)
