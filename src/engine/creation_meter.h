#pragma once

#include "book_progress.h"

#include "text/work_meter.h"

#include <chrono>

namespace quillmoth {

// The meter book creation's passes report to: it passes progress on to the
// caller no more often than kProgressInterval allows, and stops the work with
// EngineError::Cancelled once the caller asks for it.
class CreationMeter final : public text::WorkMeter {
public:
    explicit CreationMeter(const BookCreationControl &control);

    // Throws EngineFailure{EngineError::Cancelled} when the caller asks to stop.
    void stopIfCancelled() const;

protected:
    void reachedFraction(double fraction) override;

private:
    std::chrono::steady_clock::time_point now() const;

    const BookCreationControl &m_control;
    std::chrono::steady_clock::time_point m_lastCall;
    double m_fraction = 0;
};

} // namespace quillmoth
