// SPDX-License-Identifier: MIT
// Where the ink of a printed page lies: a PDF rendered by pdftoppm, or the
// Apple raster (URF) that a driverless printer receives, as a gray image.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace page_ink {

// Millimetres from the page's top-left corner.
struct Box {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

struct GrayPage {
    int width = 0;
    int height = 0;
    int dpi = 0;
    std::vector<std::uint8_t> pixels;  // row by row, 0 black, 255 white

    double mm(int dots) const { return dots * 25.4 / dpi; }
    int dots(double mm) const { return static_cast<int>(mm * dpi / 25.4); }

    // The box of the dark pixels inside the given area, if there are any.
    std::optional<Box> inkIn(const Box& area) const
    {
        int left = width, top = height, right = -1, bottom = -1;
        for (int y = std::max(0, dots(area.top)); y < std::min(height, dots(area.bottom)); ++y) {
            for (int x = std::max(0, dots(area.left)); x < std::min(width, dots(area.right)); ++x) {
                if (pixels[static_cast<std::size_t>(y) * width + x] < 128) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
        }
        if (right < 0) {
            return std::nullopt;
        }
        return Box{mm(left), mm(top), mm(right + 1), mm(bottom + 1)};
    }
};

// One page of a PDF at `dpi`, through pdftoppm (poppler-utils).
inline std::optional<GrayPage> RenderPdfPage(const QString& pdf, int page, int dpi)
{
    QProcess process;
    const QString number = QString::number(page);
    process.start(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-gray"), QStringLiteral("-r"), QString::number(dpi),
                   QStringLiteral("-f"), number, QStringLiteral("-l"), number, pdf});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        return std::nullopt;
    }
    const QByteArray pgm = process.readAllStandardOutput();
    // P5 <width> <height> <max> <pixels>
    const QList<QByteArray> head = pgm.left(64).simplified().split(' ');
    if (head.size() < 4 || head[0] != "P5") {
        return std::nullopt;
    }
    GrayPage out{head[1].toInt(), head[2].toInt(), dpi, {}};
    const auto size = static_cast<qsizetype>(out.width) * out.height;
    out.pixels.assign(pgm.end() - size, pgm.end());
    return out;
}

// The pages of an Apple raster file (gzip-compressed or not): 8-bit gray or
// colour, each line packed as repeat counts and runs.
inline std::vector<GrayPage> ReadUrf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QByteArray data = file.readAll();
    if (data.startsWith("\x1f\x8b")) {
        QProcess gunzip;
        gunzip.start(QStringLiteral("gzip"), {QStringLiteral("-dc"), path});
        gunzip.waitForFinished(60000);
        data = gunzip.readAllStandardOutput();
    }
    std::vector<GrayPage> pages;
    if (!data.startsWith(QByteArrayLiteral("UNIRAST"))) {
        return pages;
    }
    const auto byte = [&](qsizetype i) { return static_cast<std::uint8_t>(data[i]); };
    const auto word = [&](qsizetype i) {
        return static_cast<int>((byte(i) << 24) | (byte(i + 1) << 16) | (byte(i + 2) << 8) |
                                byte(i + 3));
    };
    qsizetype p = 12;
    while (p + 32 <= data.size()) {
        const int bytesPerPixel = byte(p) / 8;
        GrayPage page{word(p + 12), word(p + 16), word(p + 20), {}};
        p += 32;
        page.pixels.reserve(static_cast<std::size_t>(page.width) * page.height);
        while (static_cast<int>(page.pixels.size() / page.width) < page.height && p < data.size()) {
            const int repeat = byte(p++) + 1;
            std::vector<std::uint8_t> line;
            while (static_cast<int>(line.size()) < page.width && p < data.size()) {
                const int code = byte(p++);
                if (code == 128) {  // the rest of the line is white
                    line.resize(static_cast<std::size_t>(page.width), 255);
                } else if (code < 128) {  // one pixel, code + 1 times
                    line.insert(line.end(), static_cast<std::size_t>(code) + 1, byte(p));
                    p += bytesPerPixel;
                } else {  // 257 - code pixels as they stand
                    for (int n = 0; n < 257 - code; ++n, p += bytesPerPixel) {
                        line.push_back(byte(p));  // the first channel stands for the pixel
                    }
                }
            }
            line.resize(static_cast<std::size_t>(page.width), 255);
            for (int r = 0; r < repeat; ++r) {
                page.pixels.insert(page.pixels.end(), line.begin(), line.end());
            }
        }
        page.pixels.resize(static_cast<std::size_t>(page.width) * page.height, 255);
        pages.push_back(std::move(page));
    }
    return pages;
}

}  // namespace page_ink
