#include "text/work_meter.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace quillmoth;

namespace {

// Remembers every fraction it is told, and the share it was told it in.
class RecordingMeter final : public text::WorkMeter {
public:
    explicit RecordingMeter(std::size_t stride = kDefaultStride) : WorkMeter(stride) {}
    std::vector<double> fractions;
    std::vector<std::pair<double, double>> shares;

protected:
    void reachedFraction(double fraction) override
    {
        fractions.push_back(fraction);
        shares.emplace_back(shareFrom(), shareTo());
    }
};

} // namespace

TEST(MeterSteps, DivideTheShareByWeightAndGiveItBack)
{
    RecordingMeter meter;
    meter.setShare(0.2, 0.6);
    {
        text::MeterSteps steps(&meter, {1, 3});
        steps.next();
        meter.reached(1, 2);
        steps.next();
        {
            text::MeterSteps inner(&meter, {1, 1});
            inner.next();
            inner.next();
            meter.reached(2, 2);
        }
        meter.reached(0, 2);
        steps.next();  // past the last step the share stays
        meter.reached(2, 2);
    }
    const std::vector<std::pair<double, double>> shares = {
        {0.2, 0.3}, {0.45, 0.6}, {0.3, 0.6}, {0.3, 0.6}};
    ASSERT_EQ(meter.shares.size(), shares.size());
    for (std::size_t i = 0; i < shares.size(); ++i) {
        EXPECT_DOUBLE_EQ(meter.shares[i].first, shares[i].first) << i;
        EXPECT_DOUBLE_EQ(meter.shares[i].second, shares[i].second) << i;
    }
    EXPECT_DOUBLE_EQ(meter.fractions[0], 0.25);
    EXPECT_DOUBLE_EQ(meter.fractions[1], 0.6);
    EXPECT_DOUBLE_EQ(meter.fractions[2], 0.3);
    EXPECT_DOUBLE_EQ(meter.shareFrom(), 0.2);
    EXPECT_DOUBLE_EQ(meter.shareTo(), 0.6);

    text::MeterSteps none(nullptr, {1, 2});
    none.next();  // nothing to divide, nothing happens
}

TEST(PassReporter, ReportsOncePerStrideAndNeverWithoutAMeter)
{
    RecordingMeter meter(10);
    text::PassReporter reporter(&meter, 100);
    for (std::size_t done = 0; done <= 100; done += 3)
        reporter.at(done);
    // Reports at 12, 24, ... each the first position a stride past the last report.
    EXPECT_EQ(meter.fractions,
              (std::vector<double>{0.12, 0.24, 0.36, 0.48, 0.6, 0.72, 0.84, 0.96}));

    text::PassReporter silent(nullptr, 100);
    for (std::size_t done = 0; done <= 100; ++done)
        silent.at(done);
    EXPECT_EQ(silent.meter(), nullptr);
}

TEST(ForEachBlock, CoversTheRangeOnceInOrder)
{
    for (const std::size_t total : {0, 1, 9, 10, 11, 95}) {
        RecordingMeter meter(10);
        std::vector<std::pair<std::size_t, std::size_t>> blocks;
        text::forEachBlock(&meter, total, [&](std::size_t begin, std::size_t end) {
            blocks.emplace_back(begin, end);
            return true;
        });
        std::size_t next = 0;
        for (const auto &[begin, end] : blocks) {
            EXPECT_EQ(begin, next);
            EXPECT_LE(end - begin, 10u);
            EXPECT_GT(end, begin);
            next = end;
        }
        EXPECT_EQ(next, total);
        EXPECT_EQ(meter.fractions.size(), blocks.size());

        std::size_t whole = 0;
        text::forEachBlock(nullptr, total, [&](std::size_t begin, std::size_t end) {
            whole += end - begin;
            return true;
        });
        EXPECT_EQ(whole, total);
    }
    int calls = 0;
    text::forEachBlock(nullptr, 5, [&](std::size_t, std::size_t) { return ++calls > 5; });
    RecordingMeter meter(2);
    text::forEachBlock(&meter, 50, [&](std::size_t, std::size_t) { return ++calls < 3; });
    EXPECT_EQ(calls, 3);
}

TEST(ResizeWatched, GivesWhatResizeGives)
{
    for (const std::size_t size : {0, 3, 40, 41}) {
        RecordingMeter meter(8);
        std::u16string watched = u"ab";
        text::resizeWatched(watched, size, &meter);
        std::u16string plain = u"ab";
        plain.resize(size);
        EXPECT_EQ(watched, plain);
        EXPECT_EQ(meter.fractions.empty(), size <= 2 + 8);
    }
}
