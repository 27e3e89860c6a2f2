// The start-up switch that offers MODEL SAVE.
#include <gtest/gtest.h>

#include "app/command_line.h"

namespace {

TEST(StartupSwitchTest, ArgumentTailJoinsArgumentsWithSingleBlanks) {
    EXPECT_EQ(argumentTail({}), "");
    EXPECT_EQ(argumentTail({"-VARDO"}), "-VARDO");
    EXPECT_EQ(argumentTail({"-VARDO", "x"}), "-VARDO x");
    EXPECT_EQ(argumentTail({"a b", "", "c"}), "a b  c");
}

TEST(StartupSwitchTest, OnlyTheExactSwitchShowsModelSave) {
    EXPECT_TRUE(showsModelSave("-VARDO"));
    EXPECT_TRUE(showsModelSave(argumentTail({"-VARDO"})));

    for (const char* tail : {"", "-VARDO ", " -VARDO", "-vardo", "-Vardo", "/VARDO", "VARDO",
                             "\"-VARDO\"", "-VARDO x", "--VARDO", "-VARD"}) {
        EXPECT_FALSE(showsModelSave(tail)) << "tail: [" << tail << "]";
    }
    EXPECT_FALSE(showsModelSave(argumentTail({"-VARDO", "x"})));
    EXPECT_FALSE(showsModelSave(argumentTail({"-VARDO", ""})));
}

}  // namespace
