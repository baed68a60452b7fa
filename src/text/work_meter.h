#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <initializer_list>
#include <limits>

namespace quillmoth::text {

// Watches long work on a whole text, so that it can be shown as progress and
// stopped. The work is a series of passes over texts; each pass reports how far
// it has got about every stride() units, never much more often, so a meter may
// look at a clock each time.
//
// A meter stops the work by throwing from reachedFraction(). Every pass gives
// way to that as it gives way to an allocation failure: its text is left valid
// but unfinished, and nothing is held that is not released.
class WorkMeter {
public:
    // How many units of work a pass does between two reports, unless a meter
    // asks for another number (tests ask for small ones, to meet every edge).
    static constexpr std::size_t kDefaultStride = std::size_t(1) << 14;

    explicit WorkMeter(std::size_t stride = kDefaultStride)
        : m_stride(std::max<std::size_t>(stride, 1))
    {
    }
    virtual ~WorkMeter() = default;

    std::size_t stride() const { return m_stride; }

    // The current pass has done `done` of its `total` units.
    void reached(std::size_t done, std::size_t total)
    {
        const double pass = total == 0 ? 1.0 : std::min(1.0, double(done) / double(total));
        reachedFraction(m_shareFrom + (m_shareTo - m_shareFrom) * pass);
    }

    // The fractions of the whole work that the passes from now on cover.
    double shareFrom() const { return m_shareFrom; }
    double shareTo() const { return m_shareTo; }
    void setShare(double from, double to)
    {
        m_shareFrom = from;
        m_shareTo = to;
    }

protected:
    // The whole work is `fraction` (0 to 1) done.
    virtual void reachedFraction(double fraction) = 0;

private:
    std::size_t m_stride;
    double m_shareFrom = 0;
    double m_shareTo = 1;
};

// Divides a meter's share of the work among steps that run one after another,
// in proportion to their weights; next() begins the next step. The meter gets
// its share back when this ends. Does nothing without a meter.
class MeterSteps {
public:
    // At most kMostSteps weights count.
    static constexpr std::size_t kMostSteps = 8;

    MeterSteps(WorkMeter *meter, std::initializer_list<double> weights) : m_meter(meter)
    {
        if (!m_meter)
            return;
        m_from = m_meter->shareFrom();
        m_to = m_meter->shareTo();
        for (const double weight : weights) {
            if (m_count == kMostSteps)
                break;
            m_weights[m_count++] = weight;
            m_total += weight;
        }
    }
    ~MeterSteps()
    {
        if (m_meter)
            m_meter->setShare(m_from, m_to);
    }
    MeterSteps(const MeterSteps &) = delete;
    MeterSteps &operator=(const MeterSteps &) = delete;

    void next()
    {
        if (!m_meter || m_next >= m_count || m_total <= 0)
            return;
        const double weight = m_weights[m_next++];
        const double width = m_to - m_from;
        m_meter->setShare(m_from + width * m_done / m_total,
                          m_from + width * (m_done + weight) / m_total);
        m_done += weight;
    }

private:
    WorkMeter *m_meter;
    std::array<double, kMostSteps> m_weights{};
    std::size_t m_count = 0;
    std::size_t m_next = 0;
    double m_total = 0;
    double m_done = 0;
    double m_from = 0;
    double m_to = 1;
};

// Reports a pass's position to a meter once every stride. In between it
// costs one comparison, and without a meter it never reports.
class PassReporter {
public:
    PassReporter(WorkMeter *meter, std::size_t total)
        : m_meter(meter), m_total(total),
          m_next(meter ? meter->stride() : std::numeric_limits<std::size_t>::max())
    {
    }

    void at(std::size_t done)
    {
        if (done >= m_next)
            report(done);
    }

    WorkMeter *meter() const { return m_meter; }
    std::size_t total() const { return m_total; }

private:
    void report(std::size_t done)
    {
        m_next = done + m_meter->stride();
        m_meter->reached(done, m_total);
    }

    WorkMeter *m_meter;
    std::size_t m_total;
    std::size_t m_next;
};

// Calls work(begin, end) for consecutive blocks of [0, total), reporting
// between blocks; without a meter the whole range is one block. The work
// returns false to end early.
template <typename Work>
void forEachBlock(WorkMeter *meter, std::size_t total, Work work)
{
    const std::size_t block = meter ? meter->stride() : std::max<std::size_t>(total, 1);
    for (std::size_t begin = 0; begin < total; begin += block) {
        const std::size_t end = total - begin > block ? begin + block : total;
        if (!work(begin, end))
            return;
        if (meter)
            meter->reached(end, total);
    }
}

// Resizes a string, new units zeroed. With a meter the new memory is first
// touched a part at a time: on a fresh buffer the page faults of that first
// touch can cost more than a whole pass over the text.
template <typename String>
void resizeWatched(String &text, std::size_t size, WorkMeter *meter)
{
    if (meter == nullptr || size <= text.size()) {
        // Filling a fresh string in one go is much faster than resizing it,
        // which writes UTF-16 units one at a time.
        if (text.empty())
            text = String(size, typename String::value_type());
        else
            text.resize(size);
        return;
    }
    text.reserve(size);
    PassReporter reporter(meter, size);
    while (size - text.size() > meter->stride()) {
        text.resize(text.size() + meter->stride());
        reporter.at(text.size());
    }
    text.resize(size);
}

} // namespace quillmoth::text
