// page_turn: what one frame of a page turn costs on a 1263 x 912 pad,
// against one full blit of the spread onto the control measured in the same
// run. Sixty frames forward and sixty back, at offsets spread over the whole
// turn; the fastest of five rounds counts.

#include "pad_bench_support.h"

#include "reader/curl_geometry.h"
#include "reader/turn_painter.h"

#include <QPainter>

#include <cstdio>

using namespace quillmoth;
using namespace quillmoth::bench;

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    PadBench bench;
    const std::unique_ptr<Reader> pad = bench.openSamplePad("page_turn");
    if (!pad)
        return 1;
    QImage control(pad->picture().size(), QImage::Format_ARGB32_Premultiplied);
    control.setDevicePixelRatio(pad->picture().devicePixelRatio());

    constexpr int kFrames = 60;
    const double blit = fastest(5, [&] {
                            for (int i = 0; i < kFrames; ++i) {
                                QPainter painter(&control);
                                painter.drawImage(0, 0, pad->picture());
                            }
                        }) /
                        kFrames;

    for (const TurnDirection direction : {TurnDirection::Forward, TurnDirection::Back}) {
        const TurnImages images = pad->surfaces().PrepareTurnImages(direction);
        double bestMean = 1e300;
        double worstOfBest = 0;
        for (int round = 0; round < 5; ++round) {
            double total = 0;
            double worst = 0;
            for (int i = 0; i < kFrames; ++i) {
                const double offset = pad->geometry().PageWidth * double(i) / (kFrames - 1);
                const double start = threadMilliseconds();
                QPainter painter(&control);
                painter.drawImage(0, 0, pad->picture());
                paintTurnFrame(painter, curlGeometry(direction, offset, pad->geometry()), images);
                painter.end();
                const double frame = threadMilliseconds() - start;
                total += frame;
                worst = std::max(worst, frame);
            }
            if (total / kFrames < bestMean) {
                bestMean = total / kFrames;
                worstOfBest = worst;
            }
        }
        std::printf("page_turn %s: mean %.2f ms, worst %.2f ms, blit %.2f ms, ratio %.2f\n",
                    direction == TurnDirection::Forward ? "forward" : "back", bestMean, worstOfBest,
                    blit, bestMean / blit);
    }
    return 0;
}
