// SPDX-License-Identifier: MIT
// The listings of the subsystem's notices.
#pragma once

#include <QString>
#include <QStringList>

// Appends `heading` and the entries under it when there are any: at most
// import_texts::kListedEntries of them, then how many more there are.
void AppendListing(QStringList& lines, const char* heading, const QStringList& entries);

// One box's text: the lines joined by import_texts::kLineBreak.
QString JoinReportLines(const QStringList& lines);
