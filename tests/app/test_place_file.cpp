// The place file's text: what placeText writes parses back whole, and every
// file that is cut short or is not such a file is refused with its reason,
// leaving the place as it was.
#include "app/PlaceFile.h"

#include <gtest/gtest.h>

using namespace quibo;

namespace {
Place samplePlace()
{
    Place p;
    p.book = "/home/reader/books/qovarn_3391_ver10";
    p.page = 7;
    p.playMode = 2;
    return p;
}
} // namespace

TEST(PlaceFile, WhatIsWrittenReadsBack)
{
    const std::string text = placeText(samplePlace());
    EXPECT_EQ("quibo place 1\nbook = /home/reader/books/qovarn_3391_ver10\npage = 7\nmode = 2\n", text);
    Place read;
    std::string why;
    ASSERT_EQ(PlaceParse::Ok, parsePlace(text, read, why)) << why;
    EXPECT_EQ(samplePlace().book, read.book);
    EXPECT_EQ(7, read.page);
    EXPECT_EQ(2, read.playMode);

    Place negative = samplePlace();
    negative.page = -3;
    ASSERT_EQ(PlaceParse::Ok, parsePlace(placeText(negative), read, why));
    EXPECT_EQ(-3, read.page);
    // Lines in another order are still the same place.
    ASSERT_EQ(PlaceParse::Ok, parsePlace("quibo place 1\nmode = 3\npage = 1\nbook = /b\n", read, why));
    EXPECT_EQ("/b", read.book);
    EXPECT_EQ(3, read.playMode);

    // One file a book, named by the folder and nothing else.
    EXPECT_EQ(placeFileName("/a/book"), placeFileName("/a/book"));
    EXPECT_NE(placeFileName("/a/book"), placeFileName("/b/book"));
    EXPECT_EQ(32u + 6u, placeFileName("/a/book").size());
    EXPECT_EQ(".place", placeFileName("/a/book").substr(32));
}

TEST(PlaceFile, CutAndForeignFilesAreRefusedWithTheirReason)
{
    const std::string whole = placeText(samplePlace());
    // Every cut of a whole file is refused as cut short, never taken.
    for (size_t length = 0; length < whole.size(); ++length) {
        Place read = samplePlace();
        read.page = 99;
        std::string why;
        const PlaceParse result = parsePlace(whole.substr(0, length), read, why);
        EXPECT_EQ(PlaceParse::Truncated, result) << length << ": " << why;
        EXPECT_EQ(99, read.page) << length;
        EXPECT_FALSE(why.empty()) << length;
    }

    const std::pair<const char*, const char*> foreign[] = {
        {"[Desktop Entry]\nName=quibo\n", "does not begin with"},
        {"quibo place 2\nbook = /b\npage = 1\nmode = 1\n", "does not begin with"},
        {"QUIBO PLACE 1\nbook = /b\npage = 1\nmode = 1\n", "does not begin with"},
        {"quibo place 1\nbook = /b\npage = 1\nmode = 1\ncolour = red\n", "colour = red"},
        {"quibo place 1\nbook = /b\npage = 1\npage = 2\nmode = 1\n", "page = 2"},
        {"quibo place 1\nbook = /b\npage = one\nmode = 1\n", "page = one"},
        {"quibo place 1\nbook = /b\npage = 1.5\nmode = 1\n", "page = 1.5"},
        {"quibo place 1\nbook = /b\npage = 99999999999\nmode = 1\n", "page = 99999999999"},
        {"quibo place 1\nbook = /b\npage = \nmode = 1\n", "page = "},
        {"quibo place 1\nbook = /b\npage = 1\nmode = 4\n", "mode = 4"},
        {"quibo place 1\nbook = /b\npage = 1\nmode = 0\n", "mode = 0"},
        {"quibo place 1\nbook = \npage = 1\nmode = 1\n", "book = "},
        {"quibo place 1\nbook=/b\npage = 1\nmode = 1\n", "book=/b"},
        {"quibo place 1\n\nbook = /b\npage = 1\nmode = 1\n", "\"\""},
        {"quibo place 1\nbook = /b\x01\x02\npage = 1\nmode = 1\n", nullptr},
        {"quibo place 1\nbook = /b\npage = 1\r\nmode = 1\n", "page = 1?"},
        {"\x89PNG\r\n\x1a\n", "does not begin with"},
    };
    for (const auto& f : foreign) {
        Place read = samplePlace();
        std::string why;
        const PlaceParse result = parsePlace(f.first, read, why);
        if (f.second == nullptr) {
            // A control byte inside a value is taken as the value: the book
            // will not match any folder, which the keeper refuses.
            EXPECT_EQ(PlaceParse::Ok, result) << f.first;
            continue;
        }
        EXPECT_EQ(PlaceParse::Foreign, result) << f.first;
        EXPECT_NE(std::string::npos, why.find(f.second)) << why;
        EXPECT_EQ(7, read.page) << f.first;
    }

    // Keys missing at the end of otherwise good lines: cut short.
    Place read;
    std::string why;
    EXPECT_EQ(PlaceParse::Truncated, parsePlace("quibo place 1\nbook = /b\npage = 1\n", read, why));
    EXPECT_NE(std::string::npos, why.find("mode")) << why;
    EXPECT_EQ(PlaceParse::Truncated, parsePlace("quibo place 1\n", read, why));
    EXPECT_EQ(PlaceParse::Truncated, parsePlace("quibo place 1\nbook = /b\npage = 1\nmode = 1", read, why));
}
