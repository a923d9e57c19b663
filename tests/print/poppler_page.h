// SPDX-License-Identifier: MIT
// Reads a PDF back through poppler's command-line tools.
#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

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

// Every word of the first page with its box, from pdftotext -bbox.
inline std::vector<Word> ReadWords(const QString& pdf)
{
    std::vector<Word> words;
    const auto out =
        Run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
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

}  // namespace poppler_page
