// TrueType labels: measuring, wrapping, alignment, font lookup and fallback.
#include "base/CCLog.h"
#include "render/CCTexture2D.h"
#include "text/CCFontResolver.h"
#include "text/CCLabelTTF.h"
#include "text/CCTextLayout.h"
#include "text/ccUTF8.h"

#include <gtest/gtest.h>

using namespace cc;

namespace {
// Leftmost column holding any glyph coverage in the label's texture.
int firstInkColumn(CCLabelTTF* label)
{
    CCTexture2D* t = label->getTexture();
    if (!t || !t->getPixels()) return -1;
    const int w = static_cast<int>(t->getPixelsWide()), h = static_cast<int>(t->getPixelsHigh());
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y)
            if (t->getPixels()[(y * w + x) * 4 + 3] > 64) return x;
    return -1;
}
} // namespace

TEST(LabelTTF, ContentSizeFollowsTextAndWrapsAtItsWidth)
{
    CCLabelTTF* label = CCLabelTTF::create("Hello", "Arial", 24);
    ASSERT_NE(label, nullptr);
    const CCSize one = label->getContentSize();
    EXPECT_GT(one.width, 20);
    EXPECT_GT(one.height, 20);
    ASSERT_NE(label->getTexture(), nullptr);
    EXPECT_EQ(label->getTexture()->getPixelsWide(), static_cast<unsigned>(one.width));

    label->setString("Hello Hello Hello");
    const CCSize three = label->getContentSize();
    EXPECT_GT(three.width, one.width * 2.5f);
    EXPECT_FLOAT_EQ(three.height, one.height);

    // A width that holds one word per line: three lines, the given width.
    label->setDimensions(CCSize(one.width + 10, 0));
    EXPECT_EQ(label->getLines().size(), 3u);
    EXPECT_FLOAT_EQ(label->getContentSize().width, one.width + 10);
    EXPECT_GE(label->getContentSize().height, one.height * 3 - 1);

    // A fixed height is kept whatever the text needs.
    label->setDimensions(CCSize(300, 200));
    EXPECT_FLOAT_EQ(label->getContentSize().height, 200);

    // Line feeds break lines; bigger fonts measure bigger.
    CCLabelTTF* two = CCLabelTTF::create("a\nb", "Arial", 24);
    EXPECT_EQ(two->getLines().size(), 2u);
    CCLabelTTF* big = CCLabelTTF::create("Hello", "Arial", 48);
    EXPECT_GT(big->getContentSize().width, one.width * 1.8f);
    big->setFontSize(24);
    EXPECT_FLOAT_EQ(big->getContentSize().width, one.width);
    EXPECT_FLOAT_EQ(big->getFontSize(), 24);

    // Empty text: nothing to draw, zero size.
    label->setDimensions(CCSizeZero);
    label->setString("");
    EXPECT_FLOAT_EQ(label->getContentSize().width, 0);
    EXPECT_EQ(label->getTexture(), nullptr);
}

TEST(LabelTTF, AlignmentMovesLines)
{
    CCLabelTTF* label = CCLabelTTF::create("Hi", "Arial", 30, CCSize(300, 0), kCCTextAlignmentLeft);
    ASSERT_EQ(label->getLineOffsets().size(), 1u);
    EXPECT_EQ(label->getLineOffsets()[0], 0);
    const int leftInk = firstInkColumn(label);
    EXPECT_LT(leftInk, 10);

    label->setHorizontalAlignment(kCCTextAlignmentCenter);
    const int centreInk = firstInkColumn(label);
    EXPECT_GT(centreInk, 100);
    EXPECT_LT(centreInk, 150);

    label->setHorizontalAlignment(kCCTextAlignmentRight);
    EXPECT_GT(firstInkColumn(label), 240);
    EXPECT_EQ(label->getHorizontalAlignment(), kCCTextAlignmentRight);

    // Lines of different length align each on their own.
    CCLabelTTF* two = CCLabelTTF::create("Wide line here\nx", "Arial", 20, CCSizeZero, kCCTextAlignmentRight);
    ASSERT_EQ(two->getLineOffsets().size(), 2u);
    EXPECT_EQ(two->getLineOffsets()[0], 0);
    EXPECT_GT(two->getLineOffsets()[1], 50);

    // Vertical alignment moves the block inside a fixed height.
    CCLabelTTF* top = CCLabelTTF::create("Hi", "Arial", 20, CCSize(100, 200), kCCTextAlignmentLeft,
                                         kCCVerticalTextAlignmentTop);
    CCLabelTTF* bottom = CCLabelTTF::create("Hi", "Arial", 20, CCSize(100, 200), kCCTextAlignmentLeft,
                                            kCCVerticalTextAlignmentBottom);
    auto firstInkRow = [](CCLabelTTF* l) {
        CCTexture2D* t = l->getTexture();
        const int w = static_cast<int>(t->getPixelsWide()), h = static_cast<int>(t->getPixelsHigh());
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (t->getPixels()[(y * w + x) * 4 + 3] > 64) return y;
        return -1;
    };
    EXPECT_LT(firstInkRow(top), 20);
    EXPECT_GT(firstInkRow(bottom), 150);
}

TEST(LabelTTF, SpriteBehaviourAndSetters)
{
    CCLabelTTF* label = CCLabelTTF::create("Flip", "Arial", 22);
    const CCSize size = label->getContentSize();
    label->setFlipX(true);
    label->setFlipY(true);
    EXPECT_TRUE(label->isFlipX());
    EXPECT_TRUE(label->isFlipY());
    EXPECT_TRUE(label->getContentSize().equals(size));
    label->setColor(ccc3(0, 0, 255));
    EXPECT_EQ(label->getColor(), ccc3(0, 0, 255));
    label->setFontName("Times New Roman");
    EXPECT_STREQ(label->getFontName(), "Times New Roman");
    EXPECT_STREQ(label->getString(), "Flip");
    label->setString(nullptr);
    EXPECT_STREQ(label->getString(), "");

    CCLabelTTF* empty = CCLabelTTF::create();
    ASSERT_NE(empty, nullptr);
    EXPECT_FLOAT_EQ(empty->getContentSize().width, 0);
}

TEST(LabelTTF, KnownFamiliesResolveWithoutFallback)
{
    CCLogCapture log;
    const CCFontFace& arial = CCFontResolver::shared()->resolve("Arial");
    EXPECT_FALSE(arial.fallback);
    EXPECT_EQ(arial.family, "Liberation Sans");
    EXPECT_FALSE(CCFontResolver::shared()->resolve("Noto Sans CJK SC").fallback);
    EXPECT_TRUE(log.lines().empty());
}

TEST(LabelTTF, UnknownAndLegacyEncodedNamesFallBackAndLogOncePerName)
{
    CCLogCapture log;
    const char gbk[] = {'\xCB', '\xCE', '\xCC', '\xE5', 0}; // a font name in a legacy Chinese encoding
    CCLabelTTF* a = CCLabelTTF::create("\xE4\xBD\xA0\xE5\xA5\xBD abc", gbk, 30);
    CCLabelTTF* b = CCLabelTTF::create("again", gbk, 30);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_GT(a->getContentSize().width, 60);
    EXPECT_GT(b->getContentSize().width, 0);
    EXPECT_TRUE(CCFontResolver::shared()->resolve(gbk).fallback);
    EXPECT_EQ(CCFontResolver::shared()->resolve(gbk).family, CCFontResolver::kFallbackFamily);

    CCLabelTTF* c = CCLabelTTF::create("text", "Quibo Imaginary Face", 20);
    c->setFontName("Quibo Imaginary Face 2");
    c->setFontName("Quibo Imaginary Face");
    EXPECT_GT(c->getContentSize().width, 0);

    size_t gbkLines = 0, faceLines = 0, face2Lines = 0;
    for (const std::string& line : log.lines()) {
        if (line.find("\\xCB\\xCE\\xCC\\xE5") != std::string::npos) ++gbkLines;
        if (line.find("\"Quibo Imaginary Face\"") != std::string::npos) ++faceLines;
        if (line.find("\"Quibo Imaginary Face 2\"") != std::string::npos) ++face2Lines;
    }
    EXPECT_EQ(gbkLines, 1u);
    EXPECT_EQ(faceLines, 1u);
    EXPECT_EQ(face2Lines, 1u);
}

TEST(Utf8, CountsCharactersNotBytes)
{
    EXPECT_EQ(cc_utf8_strlen("abc"), 3);
    EXPECT_EQ(cc_utf8_strlen("\xE4\xBD\xA0\xE5\xA5\xBD"), 2);
    EXPECT_EQ(cc_utf8_strlen("a\xC3\xA9z", 3), 2);
    EXPECT_EQ(cc_utf8_strlen(nullptr), 0);
    EXPECT_EQ(utf8::lastCharLength("a\xE4\xBD\xA0"), 3u);
    EXPECT_EQ(utf8::lastCharLength("ab"), 1u);
    EXPECT_FALSE(utf8::isValid("\xCB\xCE\xCC\xE5"));
    EXPECT_TRUE(utf8::isValid("\xE4\xBD\xA0"));
}

TEST(LabelTTF, SetterChainsRenderTheLastTextOnlyWhenItIsNeeded)
{
    CCLabelTTF* label = CCLabelTTF::create("a", "Arial", 20);
    ASSERT_NE(label, nullptr);
    label->setFontSize(30);
    label->setString("a much longer line");
    label->setHorizontalAlignment(kCCTextAlignmentLeft);
    // The size is right before any pixels exist ...
    const CCSize size = label->getContentSize();
    EXPECT_GT(size.width, 150);
    // ... and the texture, once asked for, holds the last text at that size.
    CCTexture2D* texture = label->getTexture();
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->getPixelsWide(), static_cast<unsigned int>(size.width));
    EXPECT_EQ(texture->getPixelsHigh(), static_cast<unsigned int>(size.height));
    EXPECT_EQ(label->getTexture(), texture); // no second render without a change
    label->setString("");
    EXPECT_EQ(label->getTexture(), nullptr);
    EXPECT_FLOAT_EQ(label->getContentSize().width, 0);
}

TEST(LabelTTF, AHugeBoxFromALayoutFileIsBoundedNotOverflowed)
{
    CCLabelTTF* label = CCLabelTTF::create("hi", "Arial", 20, CCSize(3.4e38f, 3.4e38f), kCCTextAlignmentLeft);
    ASSERT_NE(label, nullptr);
    EXPECT_LE(label->getContentSize().width, 2048);
    EXPECT_LE(label->getContentSize().height, 2048);
}

TEST(LabelTTF, HugeTextIsBoundedInBothDirectionsBoxOrNoBox)
{
    // 1 MB on one line, 1 MB of short lines, and 1 MB in a box: each texture
    // stays within the side bound, and the pixels are really rendered.
    const std::string oneLine(1 << 20, 'm');
    std::string manyLines;
    while (manyLines.size() < (1u << 20)) manyLines += "word\n";
    for (const std::string* text : {&oneLine, static_cast<const std::string*>(&manyLines)}) {
        for (const CCSize& box : {CCSizeZero, CCSize(600, 0), CCSize(600, 300)}) {
            CCLabelTTF* label = CCLabelTTF::create(text->c_str(), "Arial", 25, box, kCCTextAlignmentLeft);
            ASSERT_NE(label, nullptr);
            EXPECT_LE(label->getContentSize().width, kMaxLabelTextureSide);
            EXPECT_LE(label->getContentSize().height, kMaxLabelTextureSide);
            EXPECT_GT(label->getContentSize().width, 0);
            EXPECT_LE(std::string(label->getString()).size(), kMaxLabelTextBytes);
            CCTexture2D* t = label->getTexture();
            ASSERT_NE(t, nullptr);
            EXPECT_LE(t->getPixelsWide(), static_cast<unsigned>(kMaxLabelTextureSide));
            EXPECT_LE(t->getPixelsHigh(), static_cast<unsigned>(kMaxLabelTextureSide));
            EXPECT_GE(firstInkColumn(label), 0);
        }
    }
    // The cut never splits a character.
    std::string accents;
    while (accents.size() < kMaxLabelTextBytes + 10) accents += "\xC3\xA9"; // é
    CCLabelTTF* label = CCLabelTTF::create(("x" + accents).c_str(), "Arial", 12);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(cc_utf8_strlen(label->getString(), -1) * 2 - 1, static_cast<long>(std::string(label->getString()).size()));
}
