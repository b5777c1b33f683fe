// When a burst of folder changes is due for a rebuild.
#include "launcher/change_batch.h"

#include <gtest/gtest.h>

namespace {

TEST(ChangeBatch, IsDueAfterAQuietSpellButNeverLaterThanTheLongestWait)
{
    ChangeBatch batch;
    EXPECT_FALSE(batch.Pending());
    batch.Changed(1000);
    EXPECT_EQ(batch.DueIn(1000), ChangeBatch::kQuietMs);
    EXPECT_EQ(batch.DueIn(1000 + ChangeBatch::kQuietMs), 0u);
    // Changes keep coming: each one puts it off, up to the longest wait.
    for (std::uint32_t t = 1100; t < 1000 + ChangeBatch::kLongestWaitMs; t += 100) {
        batch.Changed(t);
        EXPECT_GT(batch.DueIn(t), 0u) << t;
    }
    EXPECT_EQ(batch.DueIn(1000 + ChangeBatch::kLongestWaitMs), 0u);
    batch.Taken();
    EXPECT_FALSE(batch.Pending());
    // A new batch starts its own longest wait.
    batch.Changed(5000);
    EXPECT_EQ(batch.DueIn(5100), ChangeBatch::kQuietMs - 100);
}

TEST(ChangeBatch, KeepsItsTimesAcrossTheClockWrapping)
{
    ChangeBatch batch;
    batch.Changed(0xFFFFFF00u);
    EXPECT_EQ(batch.DueIn(0xFFFFFF00u + 100), ChangeBatch::kQuietMs - 100);
    EXPECT_EQ(batch.DueIn(0xFFFFFF00u + ChangeBatch::kQuietMs), 0u);
}

} // namespace
