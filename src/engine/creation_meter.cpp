#include "creation_meter.h"

#include "engine_error.h"

#include <algorithm>

namespace quillmoth {

CreationMeter::CreationMeter(const BookCreationControl &control) : m_control(control)
{
    // Without a callback there is no reason to look at the clock at all.
    if (m_control.onProgress)
        m_lastCall = now();
}

std::chrono::steady_clock::time_point CreationMeter::now() const
{
    return m_control.clock ? m_control.clock() : std::chrono::steady_clock::now();
}

void CreationMeter::stopIfCancelled() const
{
    if (m_control.cancel != nullptr && m_control.cancel->load(std::memory_order_relaxed))
        throw EngineFailure{EngineError::Cancelled};
}

void CreationMeter::reachedFraction(double fraction)
{
    stopIfCancelled();
    if (!m_control.onProgress)
        return;
    // Passes that run over a share again, or guess their length, never make
    // the whole go back.
    m_fraction = std::max(m_fraction, std::clamp(fraction, 0.0, 1.0));
    const auto time = now();
    if (time - m_lastCall < kProgressInterval)
        return;
    m_lastCall = time;
    m_control.onProgress(m_fraction);
    stopIfCancelled();
}

} // namespace quillmoth
