// The page strings table: text entries by key, values that are no text, a
// file that is missing or no dictionary, and the one line the reader writes.
#include "BookTestSupport.h"

#include "book/SentenceTable.h"

#include "base/CCLog.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace quibo;

namespace {
void writeFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path);
    out << text;
}
const char* const kHead = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n";
} // namespace

TEST(SentenceTable, TextEntriesByKeyAndNothingElse)
{
    quibo::testing::ScratchBook book;
    writeFile(book.root() + "/strings.xml",
              std::string(kHead) + "<dict>\n<key>str011</key><string>A small hedgehog.</string>\n"
                                   "<key>str012</key><string></string>\n"
                                   "<key>str013</key><integer>5</integer>\n"
                                   "<key>str014</key><array><string>x</string></array>\n"
                                   "<key>str015</key><dict><key>a</key><string>b</string></dict>\n"
                                   "</dict>\n</plist>\n");
    const SentenceTable table = SentenceTable::load("strings.xml");
    ASSERT_TRUE(table.isLoaded());
    ASSERT_NE(nullptr, table.entry("str011"));
    EXPECT_EQ("A small hedgehog.", *table.entry("str011"));
    ASSERT_NE(nullptr, table.entry("str012"));
    EXPECT_EQ("", *table.entry("str012"));
    // A number reads as its text; a list or a dictionary is no sentence.
    ASSERT_NE(nullptr, table.entry("str013"));
    EXPECT_EQ("5", *table.entry("str013"));
    EXPECT_EQ(nullptr, table.entry("str014"));
    EXPECT_EQ(nullptr, table.entry("str015"));
    EXPECT_EQ(nullptr, table.entry("str016"));
    EXPECT_EQ(nullptr, table.entry(""));
}

TEST(SentenceTable, AFileThatCannotBeReadGivesAnEmptyTableAndOneLine)
{
    quibo::testing::ScratchBook book;
    writeFile(book.root() + "/list.xml", std::string(kHead) + "<array><string>x</string></array>\n</plist>\n");
    cc::CCLogCapture log;
    const SentenceTable missing = SentenceTable::load("nothing_here.xml");
    EXPECT_FALSE(missing.isLoaded());
    EXPECT_EQ(nullptr, missing.entry("str011"));
    const SentenceTable list = SentenceTable::load("list.xml");
    EXPECT_FALSE(list.isLoaded());
    ASSERT_EQ(2u, log.lines().size());
    EXPECT_NE(std::string::npos, log.lines()[0].find("nothing_here.xml"));
    EXPECT_NE(std::string::npos, log.lines()[1].find("list.xml"));

    // The book's page strings live at the top of its resource folder.
    writeFile(book.root() + "/" + bookSettings().resourceFolder + "/Stringstr.xml",
              std::string(kHead) + "<dict><key>str091</key><string>Nine</string></dict>\n</plist>\n");
    const SentenceTable pages = SentenceTable::loadPageStrings();
    ASSERT_TRUE(pages.isLoaded());
    ASSERT_NE(nullptr, pages.entry("str091"));
    EXPECT_EQ("Nine", *pages.entry("str091"));
}
