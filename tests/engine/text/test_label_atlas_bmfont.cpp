// Character-map and bitmap-font labels, on pictures and font files the tests write.
#include "base/CCLog.h"
#include "ScratchFolder.h"
#include "render/CCImage.h"
#include "render/CCTexture2D.h"
#include "text/CCBMFontConfiguration.h"
#include "text/CCLabelAtlas.h"
#include "text/CCLabelBMFont.h"
#include "text/CCTextureAtlas.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

using namespace cc;

namespace {
std::string scratchDir()
{
    static std::string dir;
    if (dir.empty()) {
        quibotest::ScratchTemplate tmpl("quibo-text-XXXXXX");
        dir = mkdtemp(tmpl);
    }
    return dir;
}

std::string writePng(const std::string& name, int w, int h)
{
    std::vector<unsigned char> px(static_cast<size_t>(w) * h * 4, 255);
    const std::string path = scratchDir() + "/" + name;
    EXPECT_TRUE(CCImage::savePNG(path, px.data(), w, h));
    return path;
}

std::string writeText(const std::string& name, const std::string& text)
{
    const std::string path = scratchDir() + "/" + name;
    std::ofstream(path) << text;
    return path;
}

// A three-glyph font: A and V (10 wide, advance 12, kerned by -3) and a space.
std::string writeFont()
{
    writePng("tiny.png", 64, 32);
    return writeText("tiny.fnt",
                     "info face=\"Tiny Face\" size=16 bold=0 italic=0 padding=0,0,0,0 spacing=1,1\n"
                     "common lineHeight=20 base=16 scaleW=64 scaleH=32 pages=1 packed=0\n"
                     "page id=0 file=\"tiny.png\"\n"
                     "chars count=3\n"
                     "char id=65 x=0 y=0 width=10 height=14 xoffset=1 yoffset=2 xadvance=12 page=0 chnl=15\n"
                     "char id=86 x=12 y=0 width=10 height=14 xoffset=0 yoffset=2 xadvance=12 page=0 chnl=15\n"
                     "char id=32 x=0 y=0 width=0 height=0 xoffset=0 yoffset=0 xadvance=6 page=0 chnl=15\n"
                     "kernings count=1\n"
                     "kerning first=65 second=86 amount=-3\n");
}

// Draws only once it has a character map, as a widget's own atlas label would.
class GuardedAtlas : public CCLabelAtlas {
public:
    int draws = 0;
    void draw() override
    {
        if (getTextureAtlas()) {
            ++draws;
            CCLabelAtlas::draw();
        }
    }
};
} // namespace

TEST(LabelAtlas, OneCellPerCharacter)
{
    // A 4 x 3 grid of 10 x 16 cells for the characters '0' onwards.
    const std::string map = writePng("digits.png", 40, 48);
    CCLabelAtlas* label = CCLabelAtlas::create("0123", map.c_str(), 10, 16, '0');
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->getQuadsToDraw(), 4u);
    EXPECT_FLOAT_EQ(label->getContentSize().width, 40);
    EXPECT_FLOAT_EQ(label->getContentSize().height, 16);

    label->setString("95");
    ASSERT_EQ(label->getQuadsToDraw(), 2u);
    const ccV3F_C4B_T2F* nine = label->getTextureAtlas()->quad(0);
    // '9' is cell 9: column 1 of row 2, so u from 0.25 and v from 2/3 (top) to 1 (bottom).
    EXPECT_FLOAT_EQ(nine[2].u, 0.25f);
    EXPECT_FLOAT_EQ(nine[2].v, 32.0f / 48.0f);
    EXPECT_FLOAT_EQ(nine[0].v, 1.0f);
    const ccV3F_C4B_T2F* five = label->getTextureAtlas()->quad(1);
    EXPECT_FLOAT_EQ(five[0].x, 10);
    EXPECT_FLOAT_EQ(five[3].x, 20);
    EXPECT_FLOAT_EQ(five[3].y, 16);

    // Characters outside the map keep their place but draw nothing.
    label->setString("1 2");
    EXPECT_EQ(label->getQuadsToDraw(), 2u);
    EXPECT_FLOAT_EQ(label->getContentSize().width, 30);
}

TEST(LabelAtlas, WithoutCharacterMapDrawsNothing)
{
    GuardedAtlas* bare = new GuardedAtlas();
    EXPECT_EQ(bare->getTextureAtlas(), nullptr);
    bare->setString("12");
    bare->draw();
    EXPECT_EQ(bare->draws, 0);
    EXPECT_EQ(bare->getQuadsToDraw(), 0u);

    CCLogCapture log;
    EXPECT_FALSE(bare->initWithString("12", "/no/such/map.png", 10, 10, '0'));
    EXPECT_EQ(bare->getTextureAtlas(), nullptr);
    EXPECT_EQ(CCLabelAtlas::create("1", "/no/such/map.png", 10, 10, '0'), nullptr);

    const std::string map = writePng("digits2.png", 40, 16);
    EXPECT_TRUE(bare->initWithString("12", map.c_str(), 10, 16, '0'));
    bare->draw();
    EXPECT_EQ(bare->draws, 1);
    bare->release();
}

TEST(BMFont, ParsesEveryRecordKind)
{
    const std::string fnt = writeFont();
    CCBMFontConfiguration config;
    ASSERT_TRUE(config.parseFile(fnt));
    EXPECT_EQ(config.face, "Tiny Face");
    EXPECT_EQ(config.fontSize, 16);
    EXPECT_EQ(config.lineHeight, 20);
    EXPECT_EQ(config.base, 16);
    EXPECT_EQ(config.scaleW, 64);
    EXPECT_EQ(config.atlasFile, scratchDir() + "/tiny.png");
    EXPECT_EQ(config.chars.size(), 3u);
    ASSERT_NE(config.charFor('V'), nullptr);
    EXPECT_FLOAT_EQ(config.charFor('V')->rect.origin.x, 12);
    EXPECT_EQ(config.charFor('A')->xOffset, 1);
    EXPECT_EQ(config.charFor('A')->xAdvance, 12);
    EXPECT_EQ(config.kerning('A', 'V'), -3);
    EXPECT_EQ(config.kerning('V', 'A'), 0);
    EXPECT_EQ(config.charFor('Z'), nullptr);
}

TEST(BMFont, LaysOutGlyphsWithKerningWrapAndAlignment)
{
    const std::string fnt = writeFont();
    CCLabelBMFont* label = CCLabelBMFont::create("AV", fnt.c_str());
    ASSERT_NE(label, nullptr);
    ASSERT_EQ(label->getQuadCount(), 2u);
    const ccV3F_C4B_T2F* a = label->getTextureAtlas()->quad(0);
    const ccV3F_C4B_T2F* v = label->getTextureAtlas()->quad(1);
    EXPECT_FLOAT_EQ(a[0].x, 1);          // xoffset
    EXPECT_FLOAT_EQ(a[2].y, 20 - 2);     // line top minus yoffset
    EXPECT_FLOAT_EQ(a[0].y, 20 - 2 - 14);
    EXPECT_FLOAT_EQ(v[0].x, 12 - 3);     // advance plus kerning
    EXPECT_FLOAT_EQ(label->getContentSize().width, 21);
    EXPECT_FLOAT_EQ(label->getContentSize().height, 20);

    // Spaces advance without a quad; a narrow width wraps at the space.
    label->setString("AA VV");
    EXPECT_EQ(label->getQuadCount(), 4u);
    EXPECT_FLOAT_EQ(label->getContentSize().height, 20);
    label->setWidth(30);
    EXPECT_EQ(label->getQuadCount(), 4u);
    EXPECT_FLOAT_EQ(label->getContentSize().height, 40);
    EXPECT_FLOAT_EQ(label->getTextureAtlas()->quad(2)[0].x, 0); // first V starts the second line

    // Right alignment shifts the shorter line to the longest line's end.
    label->setString("AAA\nV");
    label->setWidth(-1);
    label->setAlignment(kCCTextAlignmentRight);
    const ccV3F_C4B_T2F* lastV = label->getTextureAtlas()->quad(3);
    EXPECT_FLOAT_EQ(lastV[0].x, 36 - 12);

    // The image offset moves where glyphs are read from.
    CCLabelBMFont* shifted = CCLabelBMFont::create("A", fnt.c_str(), -1, kCCTextAlignmentLeft, CCPoint(32, 0));
    EXPECT_FLOAT_EQ(shifted->getTextureAtlas()->quad(0)[0].u, 0.5f);
}

TEST(BMFont, EmptyAndMalformedFontsGiveEmptyLabels)
{
    CCLabelBMFont* empty = CCLabelBMFont::create();
    ASSERT_NE(empty, nullptr);
    EXPECT_FALSE(empty->hasFont());
    empty->setString("AV");
    EXPECT_EQ(empty->getQuadCount(), 0u);
    EXPECT_FLOAT_EQ(empty->getContentSize().width, 0);

    writePng("tiny.png", 64, 32);
    const std::string bad =
        writeText("bad.fnt", "common lineHeight=x base=16\npage id=0 file=\"tiny.png\"\nchar id=65 x=0\n");
    const std::string noChars = writeText("nochars.fnt", "common lineHeight=20\npage id=0 file=\"tiny.png\"\n");
    CCLogCapture log;
    CCLabelBMFont* label = CCLabelBMFont::create();
    EXPECT_FALSE(label->initWithString("AV", bad.c_str(), -1, kCCTextAlignmentLeft, CCPointZero));
    EXPECT_EQ(log.lines().size(), 1u);
    EXPECT_EQ(label->getQuadCount(), 0u);
    EXPECT_FLOAT_EQ(label->getContentSize().width, 0);
    log.clear();
    EXPECT_EQ(CCLabelBMFont::create("AV", noChars.c_str()), nullptr);
    EXPECT_EQ(log.lines().size(), 1u);
    log.clear();
    EXPECT_EQ(CCLabelBMFont::create("AV", "/no/such/font.fnt"), nullptr);
    EXPECT_EQ(log.lines().size(), 1u);

    // Text given once the font is there shows.
    label->setFntFile(writeFont().c_str());
    EXPECT_TRUE(label->hasFont());
    EXPECT_EQ(label->getQuadCount(), 2u);
}
