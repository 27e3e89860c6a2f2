// The start-up switch that offers MODEL SAVE: only the exact tail counts.
#include <gtest/gtest.h>

#include "app/command_line.h"

namespace {

TEST(StartupSwitchTest, OnlyTheExactSwitchShowsModelSave) {
    EXPECT_EQ(argumentTail({"a b", "", "c"}), "a b  c");
    EXPECT_TRUE(showsModelSave(argumentTail({"-VARDO"})));
    for (const char* tail : {"", "-VARDO ", " -VARDO", "-vardo", "/VARDO", "\"-VARDO\"", "-VARD"}) {
        EXPECT_FALSE(showsModelSave(tail)) << "tail: [" << tail << "]";
    }
    EXPECT_FALSE(showsModelSave(argumentTail({"-VARDO", "x"})));
    EXPECT_FALSE(showsModelSave(argumentTail({"-VARDO", ""})));
}

}  // namespace
