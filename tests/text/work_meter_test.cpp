#include "text/work_meter.h"

#include <gtest/gtest.h>

#include <vector>

// How the meter divides its share among steps only moves the progress bar; it
// is held loosely by the engine's creation control test (progress rises and
// nearly reaches the end). Block contents and watched resizes are held by the
// meter differential tests of decoding, text operations and clean-ups.

using namespace quillmoth;

namespace {

class RecordingMeter final : public text::WorkMeter {
public:
    using WorkMeter::WorkMeter;
    std::vector<double> fractions;

protected:
    void reachedFraction(double fraction) override { fractions.push_back(fraction); }
};

} // namespace

TEST(PassReporter, ReportsOncePerStrideAndNeverWithoutAMeter)
{
    RecordingMeter meter(10);
    text::PassReporter reporter(&meter, 100);
    for (std::size_t done = 0; done <= 100; done += 3)
        reporter.at(done);
    // Reports at 12, 24, ... each the first position a stride past the last report.
    EXPECT_EQ(meter.fractions, (std::vector<double>{0.12, 0.24, 0.36, 0.48, 0.6, 0.72, 0.84, 0.96}));
    text::PassReporter silent(nullptr, 100);
    for (std::size_t done = 0; done <= 100; ++done)
        silent.at(done);
    // Work that asks to stop ends the blocks, so a failed check reads no further.
    int calls = 0;
    text::forEachBlock(&meter, 50, [&](std::size_t, std::size_t) { return ++calls < 3; });
    EXPECT_EQ(calls, 3);
}
