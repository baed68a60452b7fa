#include "reader/curl_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quillmoth {
namespace {

// The pad the benchmarks use: 1263 x 912, pages of 602 x 852, the fold at 632.
const ReaderGeometry kPad = ReaderGeometry::forClientSize(1263, 912);

// Points worked out by hand from the fold formulas (angle 45 d / PageWidth + 45).
// A full turn covers the other page, to the pad's middle and its far edge,
// and drops the shadow.
TEST(CurlGeometry, FoldLiesWhereTheFormulasPutIt)
{
    // The flap's points: P (rounded), F, E or G, the far corner; {} unchecked.
    struct Case { TurnDirection direction; double offset; int points; std::vector<QPoint> flap; };
    const Case cases[] = {
        {TurnDirection::Forward, 301, 3, {{719, 668}, {932, 882}, {1233, 155}}},
        {TurnDirection::Forward, 500, 4, {{251, 749}, {733, 882}, {847, 30}}},
        {TurnDirection::Back, 301, 3, {{544, 669}, {331, 882}, {30, 155}}},
        {TurnDirection::Back, 500, 4, {{1012, 750}, {530, 882}, {416, 30}}},
        {TurnDirection::Forward, 602, 4, {{29, 881}, {}, {632, 30}, {30, 30}}},
        {TurnDirection::Back, 602, 4, {{}, {}, {}, {1233, 30}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.offset);
        const CurlGeometry curl = curlGeometry(c.direction, c.offset, kPad);
        ASSERT_EQ(curl.FlapPolygon.size(), c.points);
        for (std::size_t i = 0; i < c.flap.size(); ++i)
            EXPECT_TRUE(c.flap[i].isNull() || curl.FlapPolygon[int(i)] == c.flap[i]) << i;
        EXPECT_EQ(curl.RevealPolygon.size(), c.points);
        // The uncovered part starts at the corner the turn lifts.
        const int side = c.direction == TurnDirection::Forward ? 1233 : 30;
        EXPECT_EQ(curl.RevealPolygon[0], QPoint(side, 882));
        EXPECT_EQ(curl.shadow.has_value(), c.offset < 602);
    }
    // The page a forward turn uncovers stands as the right page does.
    EXPECT_EQ(curlGeometry(TurnDirection::Forward, 301, kPad).revealedPageOrigin, QPoint(632, 30));
}

// Near a full turn the tangent of the fold angle is huge; every point must
// still be a sane pixel, at any pad size and offset.
TEST(CurlGeometry, EveryOffset_GivesPointsOnOrNearThePad)
{
    for (const QSize size : {QSize(400, 300), QSize(1263, 912), QSize(1871, 1439), QSize(120, 100)}) {
        const ReaderGeometry pad = ReaderGeometry::forClientSize(size.width(), size.height());
        const int w = size.width(), h = size.height();
        const QRect sane(-w, -h, 3 * w + 1, 2 * h + 1);
        for (const TurnDirection direction : {TurnDirection::Forward, TurnDirection::Back}) {
            for (double d = 0; d <= pad.PageWidth; d += 0.5) {
                const CurlGeometry curl = curlGeometry(direction, d, pad);
                for (const QPoint &point : curl.FlapPolygon + curl.RevealPolygon)
                    EXPECT_TRUE(sane.contains(point)) << d << " " << point.x() << "," << point.y();
                EXPECT_TRUE(std::isfinite(curl.flapRotation));
            }
        }
    }
}

} // namespace
} // namespace quillmoth
