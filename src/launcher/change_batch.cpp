#include "launcher/change_batch.h"

#include <algorithm>

void ChangeBatch::Changed(std::uint32_t now)
{
    if (!pending_)
        first_ = now;
    last_ = now;
    pending_ = true;
}

std::uint32_t ChangeBatch::DueIn(std::uint32_t now) const
{
    // Unsigned differences stay right when the clock wraps.
    const std::uint32_t sinceLast = now - last_;
    const std::uint32_t sinceFirst = now - first_;
    if (sinceLast >= kQuietMs || sinceFirst >= kLongestWaitMs)
        return 0;
    return std::min(kQuietMs - sinceLast, kLongestWaitMs - sinceFirst);
}
