// The start-up switches (MODEL SAVE offered, English whatever the system's
// language): only an exact tail counts.
#include <gtest/gtest.h>

#include "app/command_line.h"
#include "text/translation.h"

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

TEST(StartupSwitchTest, EnglishAloneOrWithTheOtherInEitherOrder) {
    for (const char* tail : {"-ENGLISH", "-VARDO -ENGLISH", "-ENGLISH -VARDO"}) {
        EXPECT_TRUE(asksForEnglish(tail)) << tail;
        EXPECT_EQ(showsModelSave(tail), std::string(tail).find("-VARDO") != std::string::npos);
    }
    for (const char* tail : {"-english", "-ENGLISH ", "-VARDO  -ENGLISH", "-ENGLISH -ENGLISH",
                             "-ENGLISH x", "-VARDO -VARDO"}) {
        EXPECT_FALSE(asksForEnglish(tail) || showsModelSave(tail)) << "tail: [" << tail << "]";
    }
    useUiLanguage(UiLanguage::Japanese);
    applyLanguageSwitch("-VARDO");
    EXPECT_EQ(uiLanguage(), UiLanguage::Japanese);
    applyLanguageSwitch("-VARDO -ENGLISH");
    EXPECT_EQ(uiLanguage(), UiLanguage::English);
}

}  // namespace
