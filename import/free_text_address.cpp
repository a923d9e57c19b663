// SPDX-License-Identifier: MIT
#include "import/free_text_address.h"

#include <QRegularExpression>

#include "import/contact_card.h"

namespace {

// "〒100-0001 東京都…" gives the code and the rest of the line; a code
// without 〒 counts only at the start of a line, before a space or the end.
bool takePostalCode(QString& line, QString& postalCode)
{
    static const QRegularExpression pattern(QString::fromUtf8(
        "^(〒\\s*)?([0-9０-９]{3}[-－‐−ー]?[0-9０-９]{4})(?![0-9０-９])(\\s+|$)"));
    static const QRegularExpression marked(
        QString::fromUtf8("^〒\\s*([0-9０-９]{3}[-－‐−ー]?[0-9０-９]{4})(?![0-9０-９])\\s*"));
    QRegularExpressionMatch match = marked.match(line);
    int group = 1;
    if (!match.hasMatch()) {
        match = pattern.match(line);
        group = 2;
    }
    if (!match.hasMatch()) {
        return false;
    }
    if (postalCode.isEmpty()) {
        postalCode = match.captured(group);
    }
    line = line.mid(match.capturedEnd()).trimmed();
    return true;
}

}  // namespace

bool IsCountryLine(const QString& line, const QString& country)
{
    static const char* const kJapan[] = {"日本", "日本国", "Japan", "JP", "JPN"};
    if (!country.trimmed().isEmpty() && line.compare(country.trimmed(), Qt::CaseInsensitive) == 0) {
        return true;
    }
    for (const char* name : kJapan) {
        if (line.compare(QString::fromUtf8(name), Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

FreeTextAddress ParseFreeTextAddress(const QString& text, const QString& country)
{
    FreeTextAddress address;
    QStringList lines;
    for (QString line : SplitLines(text)) {
        if (IsCountryLine(line, country)) {
            continue;
        }
        if (takePostalCode(line, address.postalCode) && line.isEmpty()) {
            continue;
        }
        lines << line;
    }
    if (!lines.isEmpty()) {
        address.firstLine = lines.takeFirst();
        address.otherLines = lines;
    }
    return address;
}
