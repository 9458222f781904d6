// The book's resource paths, every one built from the book record, and the
// MD5 digest that names narration files.
#include "BookTestSupport.h"

#include "book/BookPaths.h"
#include "book/BookSettings.h"

#include "platform/CCFileUtils.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace quibo;

TEST(Md5, MatchesADigestFromAnIndependentTool)
{
    // printf %s mc073.mp3 | md5sum
    EXPECT_EQ("575285b07c97d820c21db16a9f5a7a79", md5Hex("mc073.mp3"));
    // printf %s mc1215.mp3 | md5sum
    EXPECT_EQ("d2eb68752c0c63a4a70a751d55623e00", md5Hex("mc1215.mp3"));
    EXPECT_EQ("d41d8cd98f00b204e9800998ecf8427e", md5Hex(""));
}

TEST(BookPaths, BuildEveryPathFromTheRecord)
{
    bookSettings().reset();
    bookSettings().subName = "tale";
    EXPECT_EQ("qovarn_3391_ver10/tale/tale_12.json", pageLayoutPath(12));
    EXPECT_EQ("qovarn_3391_ver10/tale/tale_-1.json", pageLayoutPath(-1));
    EXPECT_EQ("qovarn_3391_ver10/StringConfig.xml", configurationPath());
    EXPECT_EQ("qovarn_3391_ver10/Stringstr.xml", pageStringsPath());
    EXPECT_EQ("String.xml", stringTablePath());
    EXPECT_EQ("mainpage/mainpage_1.json", mainMenuLayoutPath());
    EXPECT_EQ("3age/pageset.json", settingsLayoutPath());
    EXPECT_EQ("Images/up1.png", imagePath("up1.png"));
    EXPECT_EQ("qovarn_3391_ver10/epc/575285b07c97d820c21db16a9f5a7a79.mp3", narrationPath("mc073.mp3"));
    bookSettings().reset();
}
