#include "text/work_meter.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

// Block contents and watched resizes are held by the meter differential tests of the
// decoding, text operations and clean-ups, which cut every pass into parts.

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
    const std::vector<double> fractions = {0.25, 0.6, 0.3, 0.6};
    ASSERT_EQ(meter.shares.size(), shares.size());
    for (std::size_t i = 0; i < shares.size(); ++i) {
        EXPECT_DOUBLE_EQ(meter.shares[i].first, shares[i].first) << i;
        EXPECT_DOUBLE_EQ(meter.shares[i].second, shares[i].second) << i;
        EXPECT_DOUBLE_EQ(meter.fractions[i], fractions[i]) << i;
    }
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

    // Work that asks to stop ends the blocks, so a failed check reads no further.
    int calls = 0;
    text::forEachBlock(&meter, 50, [&](std::size_t, std::size_t) { return ++calls < 3; });
    EXPECT_EQ(calls, 3);
}
