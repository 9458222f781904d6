// The string table: missing keys and files give empty captions; the bundled
// table has every caption.
#include "BookTestSupport.h"

#include "book/StringTable.h"

#include "platform/CCFileUtils.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace quibo;

TEST(StringTable, MissingKeysAndFilesReadAsEmptyCaptions)
{
    quibo::testing::ScratchBook book;
    {
        StringTable missing;
        EXPECT_FALSE(missing.isLoaded());
        EXPECT_EQ("", missing.caption("main_page"));
    }
    std::ofstream(book.root() + "/String.xml")
        << "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>main_page</key><string>Menu</string>"
           "</dict></plist>";
    StringTable table;
    EXPECT_TRUE(table.isLoaded());
    EXPECT_EQ("Menu", table.caption("main_page"));
    EXPECT_EQ("", table.caption("up_page"));
}

TEST(StringTable, BundledTableHasEveryCaption)
{
    cc::CCFileUtils::purgeFileUtils();
    StringTable table;
    for (const char* key : {"main_page", "up_page", "after_page", "setmenu_set", "bntext", "nopresenglish"}) {
        EXPECT_NE("", table.caption(key)) << key;
    }
}
