// SPDX-License-Identifier: MIT
#include "import/report_text.h"

#include "import/import_texts.h"
#include "text/program_text.h"

void AppendListing(QStringList& lines, const char* heading, const QStringList& entries)
{
    if (entries.isEmpty()) {
        return;
    }
    lines << QString::fromUtf8(heading);
    const qsizetype shown = std::min<qsizetype>(entries.size(), import_texts::kListedEntries);
    lines << entries.mid(0, shown);
    if (shown < entries.size()) {
        lines << uiText(import_texts::kMoreEntries).arg(entries.size() - shown);
    }
}

QString JoinReportLines(const QStringList& lines)
{
    return lines.join(uiText(import_texts::kLineBreak));
}
