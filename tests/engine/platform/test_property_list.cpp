// Property-list files: writing and reading back keeps shape, order and text;
// every unreadable file gives null and exactly one log line naming it.
#include "base/CCArray.h"
#include "ScratchFolder.h"
#include "base/CCAutoreleasePool.h"
#include "base/CCDictionary.h"
#include "base/CCLog.h"
#include "base/CCString.h"
#include "platform/CCFileUtils.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace cc;

namespace {

void writeFile(const std::string& path, const std::string& text)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
}

std::string text(CCObject* obj)
{
    auto* s = dynamic_cast<CCString*>(obj);
    return s ? s->m_sString : std::string("<not a string>");
}

std::vector<std::string> keysOf(CCDictionary* d)
{
    std::vector<std::string> keys;
    for (const auto& e : d->entries()) {
        keys.push_back(e.strKey);
    }
    return keys;
}

class PropertyListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        quibotest::ScratchTemplate tmpl("quibo_plist_XXXXXX");
        char* d = mkdtemp(tmpl);
        ASSERT_NE(d, nullptr);
        dir = d;
        saved = CCFileUtils::sharedFileUtils()->getSearchPaths();
        CCFileUtils::sharedFileUtils()->setSearchPaths({dir});
    }
    void TearDown() override
    {
        CCFileUtils::sharedFileUtils()->setSearchPaths(saved);
        CCPoolManager::sharedPoolManager()->pop();
        std::system(("rm -rf '" + dir + "'").c_str());
    }
    // Loading must fail with one log line that names the file.
    void expectRejected(const std::string& name)
    {
        CCLogCapture log;
        EXPECT_EQ(CCDictionary::createWithContentsOfFile(name.c_str()), nullptr) << name;
        ASSERT_EQ(log.lines().size(), 1u) << name;
        EXPECT_NE(log.lines()[0].find(name), std::string::npos) << log.lines()[0];
    }
    std::string dir;
    std::vector<std::string> saved;
};

} // namespace

TEST_F(PropertyListTest, RoundTripKeepsNestingOrderAndUtf8)
{
    CCDictionary* root = CCDictionary::create();
    root->setObject(CCString::create("zebra first"), "z");
    root->setObject(CCString::create("Grüße, 世界 & <tags>"), "greeting");
    CCDictionary* inner = CCDictionary::create();
    inner->setObject(CCString::create("1"), "b");
    inner->setObject(CCString::create("2"), "a");
    root->setObject(inner, "inner");
    CCArray* list = CCArray::create();
    list->addObject(CCString::create("one"));
    CCArray* nested = CCArray::create();
    nested->addObject(CCString::create("deep"));
    list->addObject(nested);
    list->addObject(CCDictionary::create());
    root->setObject(list, "list");
    root->setObject(CCInteger::create(-3), "int");
    root->setObject(CCFloat::create(0.1f), "real");
    root->setObject(CCBool::create(true), "yes");
    root->setObject(CCBool::create(false), "no");

    std::string path = dir + "/round.plist";
    ASSERT_TRUE(root->writeToFile(path.c_str()));

    // Read back by relative name through the search path.
    CCDictionary* back = CCDictionary::createWithContentsOfFile("round.plist");
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(keysOf(back),
              (std::vector<std::string>{"z", "greeting", "inner", "list", "int", "real", "yes", "no"}));
    EXPECT_EQ(text(back->objectForKey("z")), "zebra first");
    EXPECT_EQ(text(back->objectForKey("greeting")), "Grüße, 世界 & <tags>");

    auto* innerBack = dynamic_cast<CCDictionary*>(back->objectForKey("inner"));
    ASSERT_NE(innerBack, nullptr);
    EXPECT_EQ(keysOf(innerBack), (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(text(innerBack->objectForKey("a")), "2");

    auto* listBack = dynamic_cast<CCArray*>(back->objectForKey("list"));
    ASSERT_NE(listBack, nullptr);
    ASSERT_EQ(listBack->count(), 3u);
    EXPECT_EQ(text(listBack->objectAtIndex(0)), "one");
    auto* nestedBack = dynamic_cast<CCArray*>(listBack->objectAtIndex(1));
    ASSERT_NE(nestedBack, nullptr);
    EXPECT_EQ(text(nestedBack->objectAtIndex(0)), "deep");
    auto* emptyDict = dynamic_cast<CCDictionary*>(listBack->objectAtIndex(2));
    ASSERT_NE(emptyDict, nullptr);
    EXPECT_EQ(emptyDict->count(), 0u);

    // Typed values come back as text.
    EXPECT_EQ(text(back->objectForKey("int")), "-3");
    EXPECT_FLOAT_EQ(static_cast<CCString*>(back->objectForKey("real"))->floatValue(), 0.1f);
    EXPECT_EQ(text(back->objectForKey("yes")), "true");
    EXPECT_EQ(text(back->objectForKey("no")), "false");

    // The autoreleased result lives until the pool drains.
    EXPECT_EQ(back->retainCount(), 1u);
}

TEST_F(PropertyListTest, ScalarsReadAsText)
{
    writeFile(dir + "/config.xml",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<plist version=\"1.0\"><dict>\n"
              "<key>quiboSubName</key><string>tale</string>\n"
              "<key>pageMin</key><integer>12</integer>\n"
              "<key>neg</key><integer>-40</integer>\n"
              "<key>ratio</key><real>2.5</real>\n"
              "<key>third</key><real>0.3333333333333333</real>\n"
              "<key>ispep</key><true/>\n"
              "<key>off</key><false/>\n"
              "<key>when</key><date>2001-01-02T00:00:00Z</date>\n"
              "<key>blob</key><data>aGVsbG8=</data>\n"
              "<key>empty</key><string></string>\n"
              "</dict></plist>\n");
    CCDictionary* d = CCDictionary::createWithContentsOfFile("config.xml");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(text(d->objectForKey("quiboSubName")), "tale");
    EXPECT_EQ(text(d->objectForKey("pageMin")), "12");
    EXPECT_EQ(text(d->objectForKey("neg")), "-40");
    EXPECT_EQ(text(d->objectForKey("ratio")), "2.5");
    EXPECT_EQ(text(d->objectForKey("third")), "0.3333333333333333");
    EXPECT_EQ(text(d->objectForKey("ispep")), "true");
    EXPECT_EQ(text(d->objectForKey("off")), "false");
    EXPECT_EQ(text(d->objectForKey("when")), "2001-01-02T00:00:00Z");
    EXPECT_EQ(text(d->objectForKey("blob")), "aGVsbG8=");
    EXPECT_EQ(text(d->objectForKey("empty")), "");
}

TEST_F(PropertyListTest, UnreadableFilesGiveNullAndOneLine)
{
    writeFile(dir + "/broken.plist", "<?xml version=\"1.0\"?><plist><dict><key>a</key><string>x</dict>");
    writeFile(dir + "/garbage.plist", "this is not a property list at all");
    writeFile(dir + "/empty.plist", "");
    writeFile(dir + "/array.plist",
              "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><string>a</string></array></plist>");
    writeFile(dir + "/string.plist", "<?xml version=\"1.0\"?><plist version=\"1.0\"><string>a</string></plist>");

    expectRejected("broken.plist");
    expectRejected("garbage.plist");
    expectRejected("empty.plist");
    expectRejected("missing.plist");
    expectRejected("array.plist");
    expectRejected("string.plist");
    expectRejected(dir + "/also_missing.plist");
}

TEST_F(PropertyListTest, WriteFailuresAreReported)
{
    CCDictionary* d = CCDictionary::create();
    d->setObject(CCString::create("v"), "k");
    CCLogCapture log;
    std::string bad = dir + "/no_such_dir/out.plist";
    EXPECT_FALSE(d->writeToFile(bad.c_str()));
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_NE(log.lines()[0].find(bad), std::string::npos);

    // A value no property list can hold refuses the whole write.
    log.clear();
    CCObject* plain = new CCObject();
    plain->autorelease();
    d->setObject(plain, "odd");
    std::string path = dir + "/odd.plist";
    EXPECT_FALSE(d->writeToFile(path.c_str()));
    EXPECT_EQ(log.lines().size(), 1u);
    FILE* f = std::fopen(path.c_str(), "rb");
    EXPECT_EQ(f, nullptr);
    if (f) {
        std::fclose(f);
    }
}

TEST_F(PropertyListTest, AStringHoldingANulIsCutThereInsteadOfAbortingTheReader)
{
    // A raw NUL inside a string (the layout fuzzer's find): libplist's copying
    // getter asserts on it and would abort the whole program.
    const std::string bytes = std::string("<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>a</key><string>ab") +
                             std::string(1, '\0') + "cd</string><key>b</key><string>fine</string></dict></plist>";
    writeFile(dir + "/nul.plist", bytes);
    CCDictionary* dict = CCDictionary::createWithContentsOfFile((dir + "/nul.plist").c_str());
    ASSERT_NE(nullptr, dict);
    EXPECT_EQ("ab", text(dict->objectForKey("a")));
    EXPECT_EQ("fine", text(dict->objectForKey("b")));
}

TEST_F(PropertyListTest, ABinaryListWithANulInAKeyIsRefusedInsteadOfAbortingTheReader)
{
    // libplist asserts when it hands out a key holding a NUL (the sheet
    // fuzzer's find): an ASCII key "a\0b" and a UTF-16 key "\u00e9\0".
    const std::string ascii("\x62\x70\x6c\x69\x73\x74\x30\x30\xd2\x01\x02\x03\x04\x53\x61\x00\x62\x56\x66\x72\x61\x6d"
                            "\x65\x73\x51\x78\xd1\x05\x06\x52\x6f\x6b\x51\x31\x08\x0d\x11\x18\x1a\x1d\x20\x00\x00\x00"
                            "\x00\x00\x00\x01\x01\x00\x00\x00\x00\x00\x00\x00\x07\x00\x00\x00\x00\x00\x00\x00\x00\x00"
                            "\x00\x00\x00\x00\x00\x00\x22",
                            73);
    const std::string utf16("\x62\x70\x6c\x69\x73\x74\x30\x30\xd1\x01\x02\x62\x00\xe9\x00\x00\x51\x78\x08\x0b\x10\x00"
                            "\x00\x00\x00\x00\x00\x01\x01\x00\x00\x00\x00\x00\x00\x00\x03\x00\x00\x00\x00\x00\x00\x00"
                            "\x00\x00\x00\x00\x00\x00\x00\x00\x12",
                            53);
    for (const std::string& bytes : {ascii, utf16}) {
        writeFile(dir + "/nulkey.plist", bytes);
        CCLogCapture log;
        EXPECT_EQ(nullptr, CCDictionary::createWithContentsOfFile((dir + "/nulkey.plist").c_str()));
        ASSERT_EQ(1u, log.lines().size());
        EXPECT_NE(std::string::npos, log.lines()[0].find("nulkey.plist: a dictionary key holds a NUL character"))
            << log.lines()[0];
    }
    // The same lists without the NUL read as usual.
    std::string clean = ascii;
    clean[15] = 'x';
    writeFile(dir + "/clean.plist", clean);
    CCDictionary* dict = CCDictionary::createWithContentsOfFile((dir + "/clean.plist").c_str());
    ASSERT_NE(nullptr, dict);
    EXPECT_EQ("x", text(dict->objectForKey("axb")));
}
