// spread: what showing a spread costs on a 1263 x 912 pad with the Parchment
// theme (background picture, corners, fold shading): composing the
// background once per book, and one ShowSpread — the shown spread blitted,
// the following spread composed and the turn's pages cut from it.

#include "pad_bench_support.h"

#include <QPainter>

#include <cstdio>

using namespace quillmoth;
using namespace quillmoth::bench;

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    PadBench bench;
    const std::unique_ptr<Reader> pad = bench.openSamplePad("spread");
    if (!pad)
        return 1;
    // A second set of surfaces for the same book, drawn as the pad draws them.
    PageSurfaces surfaces;
    surfaces.create(pad->geometry(), 1);
    surfaces.LoadThemeImages(PadTheme::fromTheme(bench.theme));
    surfaces.LoadShadowImages(bench.folder);
    surfaces.setPadSize(90);
    surfaces.setBook(*pad->book(), 26, 15);
    QImage control(pad->picture().size(), QImage::Format_ARGB32_Premultiplied);

    const double background = fastest(7, [&] { surfaces.DrawBGround(); });
    int page = 2;
    const double show = fastest(7, [&] {
        surfaces.takeWorkSurface();
        {
            QPainter painter(&control);
            painter.drawImage(30, 30, surfaces.picBase1());
        }
        surfaces.composeFollowing(page, TurnDirection::Forward);
        const TurnImages images = surfaces.PrepareTurnImages(TurnDirection::Forward);
        (void)images;
        page = page + 2 < pad->book()->PageCount ? page + 2 : 2;
    });
    std::printf("spread: show %.2f ms, background %.2f ms\n", show, background);
    return 0;
}
