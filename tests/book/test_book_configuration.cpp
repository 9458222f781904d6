// The book configuration: conversions of the value texts, the ispep rule,
// the three start-up lines, re-reading, and missing files or keys.
#include "BookTestSupport.h"

#include "book/BookConfiguration.h"
#include "book/BookSettings.h"

#include "base/CCLog.h"
#include "platform/CCFileUtils.h"

#include <gtest/gtest.h>

#include <climits>

using namespace quibo;
using quibo::testing::configurationWith;
using quibo::testing::ScratchBook;

namespace {

class BookConfigurationTest : public ::testing::Test {
protected:
    void SetUp() override { bookSettings().reset(); }
    void TearDown() override { bookSettings().reset(); }

    int pageMinAfterReading(const std::string& text)
    {
        book.writeConfiguration(configurationWith("pageMin", text));
        readBookConfiguration();
        return bookSettings().pageMin;
    }

    ScratchBook book;
};

} // namespace

TEST(LeadingInteger, FollowsTheLeadingDigitsRuleAndSaturates)
{
    EXPECT_EQ(12, leadingInteger("12abc"));
    EXPECT_EQ(0, leadingInteger(""));
    EXPECT_EQ(-3, leadingInteger("-3"));
    EXPECT_EQ(7, leadingInteger(" 7"));
    EXPECT_EQ(7, leadingInteger("\t\n+7x"));
    EXPECT_EQ(0, leadingInteger("abc"));
    EXPECT_EQ(0, leadingInteger("- 3"));
    EXPECT_EQ(0, leadingInteger(nullptr));
    EXPECT_EQ(INT_MAX, leadingInteger("2147483647"));
    EXPECT_EQ(INT_MAX, leadingInteger("2147483648"));
    EXPECT_EQ(INT_MAX, leadingInteger("99999999999999999999999"));
    EXPECT_EQ(INT_MIN, leadingInteger("-2147483648"));
    EXPECT_EQ(INT_MIN, leadingInteger("-99999999999999999999"));
}

TEST_F(BookConfigurationTest, ConvertsEachValueTextByTheLeadingIntegerRule)
{
    EXPECT_EQ(12, pageMinAfterReading("12abc"));
    EXPECT_EQ(0, pageMinAfterReading(""));
    EXPECT_EQ(-3, pageMinAfterReading("-3"));
    EXPECT_EQ(7, pageMinAfterReading(" 7"));
}

TEST_F(BookConfigurationTest, ReadsEveryKeyIntoTheRecord)
{
    book.writeConfiguration({{"quiboSubName", "Fox tale"}, {"pageMin", "2"}, {"pageMax", "40"}, {"wordMin", "41"},
                             {"wordMax", "49"}, {"ispep", "true"}, {"textsize", "30pt"}});
    EXPECT_TRUE(readBookConfiguration());
    const BookSettings& s = bookSettings();
    EXPECT_EQ("qovarn_3391_ver10", s.resourceFolder);
    EXPECT_EQ("Fox tale", s.subName);
    EXPECT_EQ(2, s.pageMin);
    EXPECT_EQ(40, s.pageMax);
    EXPECT_EQ(41, s.wordMin);
    EXPECT_EQ(49, s.wordMax);
    EXPECT_TRUE(s.ispep);
    EXPECT_EQ(30, s.textsize);
}

TEST_F(BookConfigurationTest, OnlyExactlyTrueRaisesIspepAndNothingLowersIt)
{
    for (const char* text : {"True", "TRUE", "1", "true ", " true", "yes"}) {
        book.writeConfiguration(configurationWith("ispep", text));
        readBookConfiguration();
        EXPECT_FALSE(bookSettings().ispep) << "'" << text << "'";
    }
    book.writeConfiguration(configurationWith("ispep", "true"));
    readBookConfiguration();
    EXPECT_TRUE(bookSettings().ispep);
    for (const char* text : {"false", "", "0"}) {
        book.writeConfiguration(configurationWith("ispep", text));
        readBookConfiguration();
        EXPECT_TRUE(bookSettings().ispep) << "'" << text << "'";
    }
}

TEST_F(BookConfigurationTest, WritesTheThreeStartUpLinesExactly)
{
    book.writeConfiguration(configurationWith("pageMin", "12abc"));
    cc::CCLogCapture log;
    readBookConfiguration();
    const std::vector<std::string> expected = {
        "-----------TestController----- tale -------------- !",
        "-----------TestController----- 12abc ---------12----- !",
        "-----------TestController----- 9 -------------- !",
    };
    EXPECT_EQ(expected, log.lines());
}

TEST_F(BookConfigurationTest, ReReadingKeepsTheFieldsAndLeavesTheReadingPositionAlone)
{
    book.writeConfiguration(configurationWith("pageMin", "3"));
    readBookConfiguration();
    BookSettings& s = bookSettings();
    s.currentPage = 6;
    s.readingStarted = true;
    const BookSettings before = s;
    readBookConfiguration();
    EXPECT_EQ(before.subName, s.subName);
    EXPECT_EQ(before.pageMin, s.pageMin);
    EXPECT_EQ(before.pageMax, s.pageMax);
    EXPECT_EQ(before.wordMin, s.wordMin);
    EXPECT_EQ(before.wordMax, s.wordMax);
    EXPECT_EQ(before.textsize, s.textsize);
    EXPECT_EQ(before.ispep, s.ispep);
    EXPECT_EQ(6, s.currentPage);
    EXPECT_TRUE(s.readingStarted);
}

TEST_F(BookConfigurationTest, MissingFileOrKeyKeepsTheFieldAndSaysWhat)
{
    {
        // No file at all: every field keeps its start value, one line names
        // the file, and the three lines still follow.
        cc::CCLogCapture log;
        EXPECT_FALSE(readBookConfiguration());
        ASSERT_EQ(4u, log.lines().size());
        EXPECT_NE(std::string::npos, log.lines()[0].find("StringConfig.xml"));
        EXPECT_EQ("-----------TestController-----  ---------1----- !", log.lines()[2]);
        EXPECT_EQ(1, bookSettings().pageMin);
        EXPECT_EQ(150, bookSettings().pageMax);
        EXPECT_EQ(-1, bookSettings().wordMin);
    }
    bookSettings().pageMax = 77;
    book.writeConfiguration({{"quiboSubName", "tale"}, {"pageMin", "1"}, {"wordMin", "9"}, {"wordMax", "11"},
                             {"ispep", "false"}, {"textsize", "25"}});
    cc::CCLogCapture log;
    EXPECT_TRUE(readBookConfiguration());
    ASSERT_EQ(4u, log.lines().size());
    EXPECT_NE(std::string::npos, log.lines()[0].find("\"pageMax\""));
    EXPECT_EQ(77, bookSettings().pageMax);
    EXPECT_EQ(9, bookSettings().wordMin);
}

TEST(BundledBookConfiguration, ReadsTheBundledValues)
{
    bookSettings().reset();
    cc::CCFileUtils::purgeFileUtils();
    EXPECT_TRUE(readBookConfiguration());
    const BookSettings& s = bookSettings();
    EXPECT_EQ("tale", s.subName);
    EXPECT_EQ(1, s.pageMin);
    EXPECT_EQ(8, s.pageMax);
    EXPECT_EQ(9, s.wordMin);
    EXPECT_EQ(11, s.wordMax);
    EXPECT_EQ(25, s.textsize);
    EXPECT_FALSE(s.ispep);
    bookSettings().reset();
}
