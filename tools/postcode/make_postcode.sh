#!/bin/bash
# SPDX-License-Identifier: MIT
# Regenerates data/postcode.dat: installs the pinned data package into a
# scratch folder, writes the dictionary as UTF-8 and converts it to code page
# 932 with glibc iconv (Node has no Shift-JIS encoder).
# Usage: tools/postcode/make_postcode.sh
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
target="$here/../../data/postcode.dat"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

cp "$here/package.json" "$here/package-lock.json" "$scratch/"
(cd "$scratch" && npm ci --no-audit --no-fund --silent)
NODE_PATH="$scratch/node_modules" node "$here/make_postcode.js" |
    iconv -f UTF-8 -t CP932 > "$scratch/postcode.dat"
install -m 644 "$scratch/postcode.dat" "$target"
echo "wrote $(wc -l < "$target") lines to data/postcode.dat"
