// When a burst of changes to the shortcut folder has settled enough for the
// trees to be rebuilt: a short quiet time after the last change, but never
// much later than the first, so that a long copy still shows progress and a
// single change shows within about a second.
#pragma once
#include <cstdint>

class ChangeBatch {
public:
    static constexpr std::uint32_t kQuietMs = 250;
    static constexpr std::uint32_t kLongestWaitMs = 900;

    // A change at `now` (milliseconds of a wrapping clock).
    void Changed(std::uint32_t now);
    bool Pending() const { return pending_; }
    // Milliseconds until the batch is due (0: now); only while pending.
    std::uint32_t DueIn(std::uint32_t now) const;
    // The rebuild has taken every change so far.
    void Taken() { pending_ = false; }

private:
    bool pending_ = false;
    std::uint32_t first_ = 0;
    std::uint32_t last_ = 0;
};
