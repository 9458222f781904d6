// Word naming: the names, keys, tags and indices of word buttons.
#include "BookTestSupport.h"

#include "book/WordNaming.h"

#include "platform/CCFileUtils.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace quibo;

TEST(WordNaming, NamesKeysTagsAndIndicesOfWordButtons)
{
    EXPECT_EQ("bn073", wordButtonName(7, 3));
    EXPECT_EQ("bn1215", wordButtonName(12, 15));
    EXPECT_EQ("bn091", wordButtonName(9, 1));
    EXPECT_EQ("bn0949", wordButtonName(9, 49));
    EXPECT_EQ("bn101", wordButtonName(10, 1));
    EXPECT_EQ("bn1049", wordButtonName(10, 49));
    EXPECT_EQ("str073", sentenceKey(7, 3));
    EXPECT_EQ("str1215", sentenceKey(12, 15));
    EXPECT_EQ("mc073.mp3", narrationName(7, 3));
    EXPECT_EQ("mc1215.mp3", narrationName(12, 15));
    EXPECT_EQ(73, wordTag(7, 3));
    EXPECT_EQ(1215, wordTag(12, 15));
    EXPECT_EQ(712, wordTag(7, 12));
    EXPECT_EQ(125, wordTag(12, 5));
    // The index comes back from the tag on every page and index.
    for (int page = 1; page <= 200; ++page) {
        for (int index = 1; index <= 49; ++index) {
            ASSERT_EQ(index, wordIndexFromTag(wordTag(page, index), page)) << page << "/" << index;
        }
    }
}
