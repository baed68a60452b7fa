#include "reader/curl_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quillmoth {
namespace {

// The pad the benchmarks use: 1263 x 912, pages of 602 x 852, the fold at 632.
const ReaderGeometry kPad = ReaderGeometry::forClientSize(1263, 912);

struct FoldCase {
    TurnDirection direction;
    double offset;
    QPoint corner;      // P, rounded
    QPoint foldBottom;  // F
    QPoint foldEnd;     // E or G
    int flapPoints;
};

class CurlGeometryTest : public ::testing::TestWithParam<FoldCase> {};

// Points worked out by hand from the fold formulas (angle 45 d / PageWidth + 45).
INSTANTIATE_TEST_SUITE_P(
    HandComputed, CurlGeometryTest,
    ::testing::Values(
        FoldCase{TurnDirection::Forward, 0, {1233, 881}, {1233, 882}, {1233, 882}, 3},
        FoldCase{TurnDirection::Forward, 301, {719, 668}, {932, 882}, {1233, 155}, 3},
        FoldCase{TurnDirection::Forward, 500, {251, 749}, {733, 882}, {847, 30}, 4},
        FoldCase{TurnDirection::Back, 301, {544, 669}, {331, 882}, {30, 155}, 3},
        FoldCase{TurnDirection::Back, 500, {1012, 750}, {530, 882}, {416, 30}, 4}));

TEST_P(CurlGeometryTest, FoldLiesWhereTheFormulasPutIt)
{
    const FoldCase &c = GetParam();
    const CurlGeometry curl = curlGeometry(c.direction, c.offset, kPad);
    ASSERT_EQ(curl.FlapPolygon.size(), c.flapPoints);
    EXPECT_EQ(curl.FlapPolygon[0], c.corner);
    EXPECT_EQ(curl.FlapPolygon[1], c.foldBottom);
    EXPECT_EQ(curl.FlapPolygon[2], c.foldEnd);
    EXPECT_EQ(curl.RevealPolygon.size(), c.flapPoints);
    // The uncovered part starts at the corner the turn lifts.
    const int side = c.direction == TurnDirection::Forward ? 1233 : 30;
    EXPECT_EQ(curl.RevealPolygon[0], QPoint(side, 882));
}

TEST(CurlGeometry, ForwardHalfTurn_PlacesTheShadowAlongTheFold)
{
    const CurlGeometry curl = curlGeometry(TurnDirection::Forward, 301, kPad);
    EXPECT_DOUBLE_EQ(curl.FoldAngle, 67.5);
    EXPECT_DOUBLE_EQ(curl.flapRotation, 90 - 2 * 67.5);
    ASSERT_TRUE(curl.shadow.has_value());
    EXPECT_EQ(curl.shadow->origin, QPointF(932, 882));
    EXPECT_NEAR(curl.shadow->rotation, 23.3, 1e-9);
    EXPECT_EQ(curl.shadow->destination, QRect(-33, -797, 65, 817));
    EXPECT_EQ(curl.revealedPageOrigin, QPoint(632, 30));
}

TEST(CurlGeometry, FullTurn_CoversTheOtherPageAndDropsTheShadow)
{
    const CurlGeometry forward = curlGeometry(TurnDirection::Forward, 602, kPad);
    ASSERT_EQ(forward.FlapPolygon.size(), 4);
    EXPECT_EQ(forward.FlapPolygon[0], QPoint(29, 881));
    EXPECT_EQ(forward.FlapPolygon[2], QPoint(632, 30));  // half the control's width
    EXPECT_EQ(forward.FlapPolygon[3], QPoint(30, 30));   // the left edge
    EXPECT_FALSE(forward.shadow.has_value());

    const CurlGeometry back = curlGeometry(TurnDirection::Back, 602, kPad);
    ASSERT_EQ(back.FlapPolygon.size(), 4);
    EXPECT_EQ(back.FlapPolygon[3], QPoint(1233, 30));
    EXPECT_FALSE(back.shadow.has_value());
}

// Near a full turn the tangent of the fold angle is huge; every point must
// still be a sane pixel, at any pad size and offset.
TEST(CurlGeometry, EveryOffset_GivesPointsOnOrNearThePad)
{
    for (const QSize size : {QSize(400, 300), QSize(1263, 912), QSize(1871, 1439), QSize(120, 100)}) {
        const ReaderGeometry pad = ReaderGeometry::forClientSize(size.width(), size.height());
        for (const TurnDirection direction : {TurnDirection::Forward, TurnDirection::Back}) {
            for (double d = 0; d <= pad.PageWidth; d += 0.5) {
                const CurlGeometry curl = curlGeometry(direction, d, pad);
                for (const QPoint &point : curl.FlapPolygon + curl.RevealPolygon) {
                    EXPECT_GE(point.x(), -size.width()) << d;
                    EXPECT_LE(point.x(), 2 * size.width()) << d;
                    EXPECT_GE(point.y(), -size.height()) << d;
                    EXPECT_LE(point.y(), size.height()) << d;
                }
                EXPECT_TRUE(std::isfinite(curl.flapRotation));
            }
        }
    }
}

} // namespace
} // namespace quillmoth
