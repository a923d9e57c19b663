# SPDX-License-Identifier: MIT
# The code page 932 conversion on card-sized texts and on a long cell.
fumi_add_bench(text_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/text_bench.cpp LIBS fumi_text)
