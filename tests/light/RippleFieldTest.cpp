// The intensity groups and the marker ring of the ripple effects.
#include <gtest/gtest.h>

#include "light/RippleField.h"

namespace orvane {
namespace {

TEST(RippleField, DecayByRange) {
    struct Case {
        uint8_t before;
        bool fast;
        uint8_t after;
    };
    const Case cases[] = {
        {255, true, 215}, {130, true, 90}, {128, false, 88}, {127, true, 97}, {64, false, 34},
        {63, true, 53},   {32, false, 22}, {31, true, 23},   {17, false, 9},  {16, true, 15},
        {1, true, 0},     {16, false, 12}, {4, false, 0},    {3, false, 0},   {1, false, 0},
        {0, true, 0},     {0, false, 0},
    };
    for (const Case& c : cases) {
        RippleField field;
        field.intensity[5] = c.before;
        field.DecayIntensity(5, c.fast);
        EXPECT_EQ(field.intensity[5], c.after) << int{c.before} << (c.fast ? " fast" : " slow");
    }
}

TEST(RippleField, DecayOfAGroupOutsideTheArrayChangesNothing) {
    RippleField field;
    field.intensity.fill(200);
    field.DecayIntensity(RippleField::kGroups, true);
    for (uint8_t v : field.intensity) EXPECT_EQ(v, 200);
}

TEST(RippleField, SeedLightsOnlyGroupsUnderMarkersAmongTheSeedCells) {
    RippleField field;
    field.ring[0] = 1;
    field.ring[8] = 3;
    field.ring[9] = 1;  // past the first 9 cells
    field.SeedIntensity();
    EXPECT_EQ(field.intensity[0], 255);
    EXPECT_EQ(field.intensity[8], 255);
    EXPECT_EQ(field.intensity[9], 0);
    EXPECT_EQ(field.intensity[1], 0);

    RippleField pad;  // seeding over as many cells as the pad has lights
    pad.ring[14] = 1;
    pad.SeedIntensity(15);
    EXPECT_EQ(pad.intensity[14], 255);
}

TEST(RippleField, RotateMovesEveryCellOnePlace) {
    struct Case {
        bool towardsHigher;
        size_t cells;
        size_t from, to;
    };
    const Case cases[] = {
        {true, 23, 22, 0}, {false, 23, 0, 22}, {true, 23, 4, 5}, {false, 23, 4, 3},
        {true, 8, 7, 0},   {false, 8, 0, 7},   // the pad's zone ripple turns the first 8 only
    };
    for (const Case& c : cases) {
        RippleField field;
        field.ring[c.from] = 7;
        field.RotateRing(c.towardsHigher, c.cells);
        EXPECT_EQ(field.ring[c.to], 7) << c.from << "->" << c.to;
        for (size_t i = 0; i < RippleField::kRingCells; ++i)
            if (i != c.to) {
                EXPECT_EQ(field.ring[i], 0) << "cell " << i;
            }
    }
    RippleField partial;
    partial.ring[8] = 9;
    partial.RotateRing(true, 8);
    EXPECT_EQ(partial.ring[8], 9);  // outside the turned cells
}

TEST(RippleField, ClearEmptiesGroupsAndRing) {
    RippleField field;
    field.intensity.fill(9);
    field.ring.fill(1);
    field.ClearIntensity();
    for (uint8_t v : field.intensity) EXPECT_EQ(v, 0);
    for (uint8_t v : field.ring) EXPECT_EQ(v, 0);
}

}  // namespace
}  // namespace orvane
