// SPDX-License-Identifier: MIT
// Reads a PDF back through poppler's command-line tools.
#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <cmath>
#include <optional>
#include <vector>

namespace poppler_page {

inline constexpr double PointsPerMillimetre = 72.0 / 25.4;

struct Word {
    QString text;
    double xMin = 0;  // millimetres from the page's top-left corner
    double yMin = 0;
    double xMax = 0;
    double yMax = 0;
};

inline bool ToolsPresent()
{
    QProcess probe;
    probe.start(QStringLiteral("pdftotext"), {QStringLiteral("-v")});
    return probe.waitForFinished(10000) && probe.exitStatus() == QProcess::NormalExit;
}

inline std::optional<QString> Run(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        return std::nullopt;
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// "Pages:" and "Page size:" of pdfinfo, the size in millimetres.
struct Info {
    int pages = 0;
    double widthMm = 0;
    double heightMm = 0;
};

inline std::optional<Info> ReadInfo(const QString& pdf)
{
    const auto out = Run(QStringLiteral("pdfinfo"), {pdf});
    if (!out) {
        return std::nullopt;
    }
    Info info;
    const auto pages = QRegularExpression(QStringLiteral(R"(Pages:\s+(\d+))")).match(*out);
    const auto size =
        QRegularExpression(QStringLiteral(R"re(Page size:\s+([\d.]+) x ([\d.]+) pts)re"))
            .match(*out);
    if (!pages.hasMatch() || !size.hasMatch()) {
        return std::nullopt;
    }
    info.pages = pages.captured(1).toInt();
    info.widthMm = size.captured(1).toDouble() / PointsPerMillimetre;
    info.heightMm = size.captured(2).toDouble() / PointsPerMillimetre;
    return info;
}

// Every word of one page (1-based) with its box, from pdftotext -bbox.
inline std::vector<Word> ReadWords(const QString& pdf, int page = 1)
{
    std::vector<Word> words;
    const QString number = QString::number(page);
    const auto out =
        Run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), number,
                                          QStringLiteral("-l"), number, pdf, QStringLiteral("-")});
    if (!out) {
        return words;
    }
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    for (auto it = word.globalMatch(*out); it.hasNext();) {
        const auto m = it.next();
        words.push_back({m.captured(5), m.captured(1).toDouble() / PointsPerMillimetre,
                         m.captured(2).toDouble() / PointsPerMillimetre,
                         m.captured(3).toDouble() / PointsPerMillimetre,
                         m.captured(4).toDouble() / PointsPerMillimetre});
    }
    return words;
}

// The word whose text starts with `text` and whose left edge lies nearest `xMm`.
inline const Word* NearestWord(const std::vector<Word>& words, const QString& text, double xMm)
{
    const Word* best = nullptr;
    for (const Word& w : words) {
        if (w.text.startsWith(text) &&
            (!best || std::abs(w.xMin - xMm) < std::abs(best->xMin - xMm))) {
            best = &w;
        }
    }
    return best;
}

// Where the addressee's digits are placed: left edges in millimetres, and the top.
inline constexpr double AddresseeDigitXMm[] = {45, 52, 59, 66, 73, 80, 87};
inline constexpr double AddresseeDigitYMm = 12.5;

}  // namespace poppler_page
