#pragma once

#include "../support/scratch_folder.h"

#include "text/code_page.h"
#include "text/work_meter.h"

#include <gtest/gtest.h>

namespace quillmoth::testing {

// The GBK code page, built once for all tests.
inline const AnsiCodePage &gbk()
{
    static const AnsiCodePage codePage = *AnsiCodePage::named("CP936");
    return codePage;
}

// Runs check on every case of a table, naming the case's place in a failure.
template <typename Cases, typename Check>
void checkEachCase(const Cases &cases, Check check)
{
    std::size_t place = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::Message() << "case " << place++);
        check(c);
    }
}

// Counts the reports of the passes it watches; a small stride makes every pass
// work in many small parts, so that parts meet every match and run at an edge.
class CountingMeter final : public text::WorkMeter {
public:
    explicit CountingMeter(std::size_t stride) : WorkMeter(stride) {}
    int reports = 0;

protected:
    void reachedFraction(double) override { ++reports; }
};

} // namespace quillmoth::testing
