# SPDX-License-Identifier: MIT
# The dictionary search on the national postcode.dat against grep -F -c, and
# the result dialog filled with the largest result of a 4-byte key.
fumi_add_bench(postal_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/postal_bench.cpp LIBS fumi_postal_dialog)
target_compile_definitions(postal_bench PRIVATE
    FUMI_POSTCODE_DAT="${FUMI_RUNTIME_DIR}/postcode.dat")
