# SPDX-License-Identifier: MIT
# Taking in 10,000 vCards and a 10,000-contact Outlook CSV, and reading a 100,000-card book in UTF-8 against the
# same book in code page 932.
fumi_add_bench(import_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/import_bench.cpp LIBS fumi_import)
target_compile_definitions(import_bench PRIVATE FUMI_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
