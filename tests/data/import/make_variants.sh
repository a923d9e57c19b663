#!/usr/bin/env bash
# Derives the fixtures in other encodings from the UTF-8 ones beside it.
set -euo pipefail
cd "$(dirname "$0")"
bom8=$'\xEF\xBB\xBF'
{ printf '%s' "$bom8"; cat book_utf8.csv; } >book_utf8_bom.csv
{ printf '\xFF\xFE'; iconv -f UTF-8 -t UTF-16LE book_utf8.csv; } >book_utf16.csv
# The same book as the program writes it: 𠮷 is what code page 932 lacks,
# and the wave dash is stored as Windows stores it.
sed -e 's/𠮷/〓/g' -e 's/〜/～/g' book_utf8.csv | iconv -f UTF-8 -t CP932 >book_cp932.csv
{ printf '%s' "$bom8"; cat spreadsheet_utf8.csv; } >spreadsheet_utf8_bom.csv
# A spreadsheet's "Unicode text": UTF-16 little-endian with a mark, tabs between the fields.
{ printf '\xFF\xFE'; iconv -f UTF-8 -t UTF-16LE spreadsheet_tabs.txt; } >spreadsheet_utf16.txt
sed -e 's/𠮷/吉/g' spreadsheet_utf8.csv | iconv -f UTF-8 -t CP932 >spreadsheet_cp932.csv
# Files that their programs write in code page 932 (the design kit, Outlook
# and Thunderbird on Japanese Windows, web tools made for Excel): kept here
# in UTF-8 under utf8/, so that they can be read and changed.
for source in utf8/*.csv; do
    iconv -f UTF-8 -t CP932 "$source" >"$(basename "$source")"
done
