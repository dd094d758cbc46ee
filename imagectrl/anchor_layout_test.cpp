#include "imagectrl/anchor_layout.h"

#include <gtest/gtest.h>

TEST(AnchorLayout, MovesOrStretchesWithTheParent) {
    const AnchorRect button{600, 10, 675, 35};
    const AnchorRect slider{0, 40, 22, 675};
    const AnchorRect image{22, 40, 657, 675};
    struct Case {
        AnchorMode mode;
        AnchorRect original;
        int width, height;
        AnchorRect expected;
    };
    const Case cases[] = {
        {AnchorMode::KeepRightMargin, button, 866, 781, {800, 10, 875, 35}},
        {AnchorMode::StretchHeight, slider, 866, 781, {0, 40, 22, 775}},
        {AnchorMode::StretchBoth, image, 866, 781, {22, 40, 857, 775}},
        {AnchorMode::StretchBoth, image, 10, 10, {22, 40, 22, 40}},  // never a negative size
        {AnchorMode::None, image, 866, 781, image},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AnchoredRect(c.mode, c.original, 666, 681, c.width, c.height), c.expected)
            << static_cast<int>(c.mode);
    }
    EXPECT_TRUE(AnchorModeKnown(5));
    EXPECT_FALSE(AnchorModeKnown(3));
}
