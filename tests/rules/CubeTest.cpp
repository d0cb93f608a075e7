// The doubling cube's own rule: who may turn it, up to which value, and what a take does.
#include <gtest/gtest.h>

#include "rules/Cube.h"

namespace lumaro {
namespace {

TEST(Cube, CentredIsEitherSidesThenOnlyTheTakers) {
    Cube cube;
    EXPECT_TRUE(cube.centred());
    EXPECT_TRUE(cube.availableTo(Side::White) && cube.availableTo(Side::Black));
    EXPECT_EQ(cube.ownerWhite(), 0);  // a centred cube reads as not White's, as the files keep it

    cube.takenBy(Side::White);
    EXPECT_EQ(cube.value(), 2);
    EXPECT_EQ(cube.ownerWhite(), 1);
    EXPECT_TRUE(cube.mayBeDoubledBy(Side::White));
    EXPECT_FALSE(cube.mayBeDoubledBy(Side::Black));

    cube.takenBy(Side::Black);
    EXPECT_EQ(cube.value(), 4);
    EXPECT_FALSE(cube.availableTo(Side::White));
    EXPECT_TRUE(cube.availableTo(Side::Black));
}

TEST(Cube, SixtyFourIsTheLastValue) {
    Cube cube = Cube::of(32, 0);
    ASSERT_TRUE(cube.mayBeDoubledBy(Side::Black));
    cube.takenBy(Side::White);
    EXPECT_EQ(cube.value(), 64);
    EXPECT_TRUE(cube.availableTo(Side::White));
    EXPECT_FALSE(cube.mayBeDoubledBy(Side::White));  // held, but there is nothing higher
}

TEST(Cube, ReadBackAsTheFilesKeepIt) {
    for (Byte value : {Byte{1}, Byte{2}, Byte{16}, Byte{64}})
        for (Byte ownerWhite : {Byte{0}, Byte{1}}) {
            const Cube cube = Cube::of(value, ownerWhite);
            EXPECT_EQ(cube.value(), value);
            EXPECT_EQ(cube.ownerWhite(), ownerWhite);
        }
}

}  // namespace
}  // namespace lumaro
