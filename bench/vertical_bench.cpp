// SPDX-License-Identifier: MIT
// Costs of vertical writing: one address column, and a preview label
// repainted after a keystroke. Run with QT_QPA_PLATFORM=offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFont>
#include <QImage>
#include <QPainter>

#include "book/kanji_numerals.h"
#include "text/cp932.h"
#include "vertical/japanese_faces.h"
#include "vertical/tpl_label.h"
#include "vertical/vertical_text.h"

namespace {

const QString kAddress =
    QString::fromUtf8("東京都千代田区千代田一ー一ー二三（株）");  // 15+ characters

vertical::FaceRecord addressFace()
{
    vertical::FaceRecord face;
    face.face = cp932::fromUnicodeLossy(QString::fromUtf8("@ＭＳ 明朝"));
    face.height = 19;
    face.escapement = -900;
    return face;
}

void BM_DrawColumn(benchmark::State& state)
{
    const QString text = kAddress.left(15);
    const vertical::FaceRecord face = addressFace();
    QImage image(42, 360, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    for (auto _ : state) {
        vertical::draw(painter, face, QPoint(31, 0), 0, text, Qt::black);
    }
}
BENCHMARK(BM_DrawColumn);

void BM_MeasureColumn(benchmark::State& state)
{
    const QString text = kAddress.left(15);
    const vertical::FaceRecord face = addressFace();
    for (auto _ : state) {
        benchmark::DoNotOptimize(vertical::measure(face, text));
    }
}
BENCHMARK(BM_MeasureColumn);

// What a keystroke in an address field costs the preview: a new caption and
// one paint of the 42 × 321 label.
void BM_LabelKeystroke(benchmark::State& state)
{
    TplLabel label;
    QFont font(QString::fromUtf8("ＭＳ 明朝"));
    font.setPixelSize(19);
    label.setFont(font);
    label.resize(42, 321);
    label.setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label.setVertical(true);
    QImage image(42, 321, QImage::Format_ARGB32_Premultiplied);
    qsizetype length = 1;
    for (auto _ : state) {
        label.setText(kAddress.left(length));
        length = length % kAddress.size() + 1;
        label.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    }
}
BENCHMARK(BM_LabelKeystroke);

void BM_ToKanjiNumerals(benchmark::State& state)
{
    const std::string address =
        cp932::fromUnicodeLossy(QString::fromUtf8("東京都千代田区千代田1-1-23 ABCビル5F"));
    for (auto _ : state) {
        benchmark::DoNotOptimize(ToKanjiNumerals(address));
    }
}
BENCHMARK(BM_ToKanjiNumerals);

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    SubstituteJapaneseFaces();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
