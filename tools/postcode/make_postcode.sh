#!/bin/bash
# SPDX-License-Identifier: MIT
# Regenerates data/postcode.dat and data/PROVENANCE.md from the postal-code data
# of jquery.jpostal.js (Japan Post's KEN_ALL and 事業所個別郵便番号 data):
#   tools/postcode/make_postcode.sh             the npm package pinned in package.json
#   tools/postcode/make_postcode.sh <source>    an unpacked copy (a folder holding json/
#                                               and package.json), or its .tar.xz archive
# Moving to a newer month is one version bump in package.json (and npm install
# --package-lock-only to pin it). Node writes UTF-8; glibc iconv converts it to
# code page 932, as the program reads it.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
data="$here/../../data"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

if [ $# -eq 0 ]; then
    cp "$here/package.json" "$here/package-lock.json" "$scratch/"
    # The plug-in's jQuery is a peer it names, not data: it is not installed.
    (cd "$scratch" && npm ci --legacy-peer-deps --no-audit --no-fund --silent)
    source="$scratch/node_modules/jquery-jpostal-ja"
    origin="the npm package"
elif [ -f "$1" ]; then
    mkdir "$scratch/source"
    tar -xJf "$1" -C "$scratch/source"
    source="$scratch/source"
    origin="an unpacked copy of the repository"
else
    source="$1"
    origin="an unpacked copy of the repository"
fi
version=$(node -p "require('$source/package.json').version")

node "$here/make_postcode.js" "$source" "$scratch/summary.json" |
    iconv -f UTF-8 -t CP932 > "$scratch/postcode.dat"
install -m 644 "$scratch/postcode.dat" "$data/postcode.dat"

field() { node -p "require('$scratch/summary.json').$1"; }
towns=$(field towns)
offices=$(field offices)
codes=$(field codes)
lines=$((towns + offices))
bytes=$(stat -c %s "$data/postcode.dat")
cat > "$data/PROVENANCE.md" <<TEXT
# postcode.dat

The postal-code dictionary read by 〒->住所変換 and 住所->〒変換.

- Source: Japan Post's postal-code data of **$(field dataDate)** (the date the data gives in its
  \`_000info\` row): every code of KEN_ALL, the per-floor codes of high-rise buildings included,
  and every 事業所個別郵便番号 (a company's or office's own code) with the office's name.
  https://www.post.japanpost.jp/zipcode/download.html
- As packaged by the jQuery plug-in jquery.jpostal.js (npm \`jquery-jpostal-ja\`,
  https://github.com/ninton/jquery.jpostal.js), version $version, taken from $origin
  (files \`json/NNN.json\`).
- Licence: jquery.jpostal.js is MIT (Copyright 2014-, Aoki Makoto, Ninton G.K.). Japan Post
  claims no copyright on the postal-code data and allows it to be used and redistributed freely.
- Generated with \`tools/postcode/make_postcode.sh\` (\`tools/postcode/package.json\` pins the npm
  package; given a folder or the archive, the script reads that instead).
- Layout, code page 932, CR LF, in code order:
  - town lines, one per town of a code: \`code,prefecture+city+town\`, e.g.
    \`1000001,東京都千代田区千代田\`; a code without a town ("以下に掲載がない場合", or a
    note of Japan Post's such as "…の次に…番地がくる場合") gives prefecture + city;
  - office lines: \`code,prefecture+city+town+street\` + U+3000 + the office's name, e.g.
    \`1008994,東京都千代田区丸の内２丁目７－２　東京中央郵便局\`, after the town lines of
    the same code.
- Size: $lines lines ($towns town lines, $offices office lines), $codes distinct codes,
  $bytes bytes.

To regenerate (needs Node.js and npm; the build itself does not):

    tools/postcode/make_postcode.sh
TEXT
echo "wrote $lines lines ($towns towns, $offices offices) to data/postcode.dat"
