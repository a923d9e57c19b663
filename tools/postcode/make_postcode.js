#!/usr/bin/env node
// SPDX-License-Identifier: MIT
// Writes the national postal-code dictionary to stdout as UTF-8 text, from the
// json/NNN.json files of the jquery.jpostal.js data (Japan Post's KEN_ALL and
// 事業所個別郵便番号 data), and a summary as JSON to the file given second.
//   make_postcode.js <folder holding json/> <summary.json>
// Lines, in code order, CR LF:
//   code,prefecture+city+town                     one per town of a code
//   code,prefecture+city+town+street　office      one per office (U+3000 before
//                                                 the office's name)
// A code's town lines come before its office lines. Every character must be in
// code page 932; the first that is not stops the tool with its code and line.
// make_postcode.sh converts the text to code page 932.
"use strict";

const fs = require("fs");
const path = require("path");

const [folder, summaryFile] = process.argv.slice(2);
if (!folder || !summaryFile) {
    console.error("usage: make_postcode.js <folder holding json/> <summary.json>");
    process.exit(2);
}

// Each file is JSONP: jQuery_jpostal_callback([...]);
function recordsOf(file) {
    const text = fs.readFileSync(file, "utf8");
    return JSON.parse(text.slice(text.indexOf("(") + 1, text.lastIndexOf(")")));
}

// Japan Post's notes are not part of an address: "以下に掲載がない場合" and
// "…の次に…番地がくる場合" mean the prefecture and city alone.
function townOf(town) {
    if (town === "以下に掲載がない場合" || /の次に.*がくる場合$/.test(town)) {
        return "";
    }
    return town.replace(/（(次のビルを除く|地階・階層不明|その他|全域)）$/, "");
}

// The characters code page 932 holds, as its decoder gives them.
function cp932Characters() {
    const decoder = new TextDecoder("shift_jis", {fatal: true});
    const chars = new Set();
    for (let b = 0x20; b < 0x7f; ++b) {
        chars.add(String.fromCharCode(b));
    }
    for (let b = 0xa1; b <= 0xdf; ++b) {
        chars.add(decoder.decode(Buffer.from([b])));
    }
    for (let lead = 0x81; lead <= 0xfc; ++lead) {
        for (let trail = 0x40; trail <= 0xfc; ++trail) {
            try {
                chars.add(decoder.decode(Buffer.from([lead, trail])));
            } catch (e) {
                // no character at these bytes
            }
        }
    }
    return chars;
}

const jsonFolder = path.join(folder, "json");
let dataDate = null;
const entries = [];  // [code, isOffice, order, text]
for (const name of fs.readdirSync(jsonFolder).filter((n) => /^\d{3}\.json$/.test(n)).sort()) {
    for (const r of recordsOf(path.join(jsonFolder, name))) {
        const [key, pref, city, town, street, office] = r;
        if (key === "_000info") {
            dataDate = (r[2].match(/(\d{4}-\d{2}-\d{2})\s*$/) || [])[1];
            continue;
        }
        if (!/^_\d{7}$/.test(key)) {
            continue;  // indexes, not codes
        }
        const code = key.slice(1);
        const place = pref + city + townOf(town);
        const text = office ? place + street + "\u3000" + office : place;
        entries.push([code, office ? 1 : 0, entries.length, text]);
    }
}
if (!dataDate) {
    throw new Error("no data date (_000info) in " + jsonFolder);
}
entries.sort((a, b) => (a[0] < b[0] ? -1 : a[0] > b[0] ? 1 : a[1] - b[1] || a[2] - b[2]));

const chars = cp932Characters();
const seen = new Set();
const lines = [];
let towns = 0;
let offices = 0;
const codes = new Set();
for (const [code, isOffice, , text] of entries) {
    const line = code + "," + text;
    if (seen.has(line)) {
        continue;  // Japan Post splits long entries over records that say the same
    }
    seen.add(line);
    for (const c of text) {
        if (!chars.has(c)) {
            throw new Error(`${code}: U+${c.codePointAt(0).toString(16).toUpperCase()} ` +
                            `is not in code page 932: ${text}`);
        }
    }
    lines.push(line + "\r\n");
    codes.add(code);
    isOffice ? ++offices : ++towns;
}
process.stdout.write(lines.join(""));
fs.writeFileSync(summaryFile, JSON.stringify({dataDate, towns, offices, codes: codes.size}));
