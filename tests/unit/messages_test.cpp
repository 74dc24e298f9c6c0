// Message lookup in the Linux executable's table, and formatting.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>

#include "launcher/messages.h"
#include "platform/process.h"

namespace {

class English : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("LC_ALL", "C.UTF-8", 1);
        initialiseProcessLocale();
    }
};

std::string text(const TextBuffer& buffer)
{
    return std::string(buffer.chars, static_cast<size_t>(buffer.length));
}

} // namespace

TEST_F(English, LooksTextsUpById)
{
    TextBuffer notFound = loadMessageText(1);
    EXPECT_EQ(text(notFound), "Java Runtime Environment not found.");
    EXPECT_EQ(notFound.length, 35);
    EXPECT_EQ(text(loadMessageText(8)), "The main startup class is not valid, main method missing.");
    EXPECT_EQ(text(loadMessageText(276)), "Service '%s' uninstall failed.");
    EXPECT_EQ(text(loadMessageText(256)), "wyr");
    EXPECT_EQ(text(loadMessageText(1024)), "Service type application.\n\nUse /install to install service.");
}

TEST_F(English, EmptyEntriesAndMissingBlocks)
{
    for (uint16_t id : {0, 11, 259}) {
        TextBuffer target("stale");
        EXPECT_TRUE(assignMessageText(target, id)) << id;
        EXPECT_EQ(target.length, 0) << id;
    }
    TextBuffer target("stale");
    EXPECT_FALSE(assignMessageText(target, 512));
    EXPECT_EQ(target.length, 0);
}

TEST(Messages, ChineseFollowsLcAllThenLcMessagesThenLang)
{
    struct Case { const char* all; const char* messages; const char* lang; const char* expected; };
    const Case cases[] = {
        {"zh_CN.UTF-8", nullptr, nullptr, "错误"},
        {nullptr, "zh_SG.UTF-8", "en_US.UTF-8", "错误"},
        {nullptr, nullptr, "zh_CN.UTF-8", "错误"},
        {"en_US.UTF-8", nullptr, "zh_CN.UTF-8", "Error"},
        {nullptr, nullptr, "zh_TW.UTF-8", "Error"},
    };
    for (const Case& c : cases) {
        unsetenv("LC_ALL");
        unsetenv("LC_MESSAGES");
        unsetenv("LANG");
        if (c.all) setenv("LC_ALL", c.all, 1);
        if (c.messages) setenv("LC_MESSAGES", c.messages, 1);
        if (c.lang) setenv("LANG", c.lang, 1);
        initialiseProcessLocale();
        EXPECT_EQ(text(loadMessageText(10)), c.expected) << (c.all ? c.all : "") << (c.messages ? c.messages : "");
    }
}

TEST_F(English, FormatTextFillsAndGrows)
{
    TextBuffer target;
    formatText(target, text(loadMessageText(6)).c_str(), 1, 3, 1, 4);
    EXPECT_EQ(text(target), "Java virtual machine version 1.3 is too low, require 1.4 or higher.");
    EXPECT_EQ(target.capacity, 1032);

    std::string big(5000, 'x');
    TextBuffer grown;
    formatText(grown, "%s!", big.c_str());
    EXPECT_EQ(grown.length, 5001);
    EXPECT_EQ(text(grown), big + "!");
}
