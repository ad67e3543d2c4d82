#include "upload/progress.h"

#include <gtest/gtest.h>

namespace {

struct ProgressCase {
    uint64_t framesDone, frames, bytesDone, bytes;
    double seconds;
    const char* text;
};

TEST(ProgressText, UnitFollowsTheTotalAndRateNeedsTime) {
    const ProgressCase cases[] = {
        {37, 240, 1200000000, 7900000000, 3,
         "Uploading frames 37/240, 1.2 of 7.9 GB, 400 MB/s, 17 s left"},
        {1, 4, 921600, 3686400, 0.001, "Uploading frames 1/4, 0.9 of 3.7 MB, 922 MB/s, 0 s left"},
        {0, 2, 0, 5000, 0, "Uploading frames 0/2, 0.0 of 5.0 kB"},
    };
    for (const ProgressCase& c : cases) {
        EXPECT_EQ(ProgressText(c.framesDone, c.frames, c.bytesDone, c.bytes, c.seconds), c.text);
    }
}

}  // namespace
