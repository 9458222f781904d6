// The guarded way into book files: a FIFO, a device or a folder is refused at
// once (never waited on), each kind has its size bound, and every refusal is
// one line naming the file and the reason. Every reader of book files goes
// through it: property lists, pictures, bitmap fonts, narration.
#include "audio/SimpleAudioEngine.h"
#include "ScratchFolder.h"
#include "audio/SimulatedAudioBackend.h"
#include "base/CCAutoreleasePool.h"
#include "base/CCDictionary.h"
#include "base/CCLog.h"
#include "platform/CCFileUtils.h"
#include "render/CCImage.h"
#include "text/CCLabelBMFont.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace cc;

namespace {

void writeFile(const std::string& path, const std::string& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

// A file of the given size without writing its bytes (a hole).
void sizedFile(const std::string& path, long long size)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(0, ::ftruncate(fd, size));
    ::close(fd);
}

std::string bigEndian(unsigned v)
{
    return std::string{char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
}

// A PNG signature and IHDR claiming the size; no pixel data follows.
std::string pngHeader(unsigned width, unsigned height)
{
    return std::string("\x89PNG\r\n\x1a\n", 8) + bigEndian(13) + "IHDR" + bigEndian(width) + bigEndian(height) +
           std::string("\x08\x06\0\0\0", 5) + bigEndian(0);
}

// A binary property list: a root dictionary {"k": array} with levels arrays
// nested in each other around one string; with loop, the array holds itself.
std::string binaryNested(int levels, bool loop = false)
{
    std::vector<std::string> objects; // object i, encoded
    auto ref = [](uint32_t i) { return bigEndian(i); };
    const uint32_t arrays = loop ? 1 : static_cast<uint32_t>(levels);
    // 0: root dict, 1: key "k", 2..: arrays, last: the string
    const uint32_t text = 2 + arrays;
    objects.push_back(std::string("\xD1", 1) + ref(1) + ref(2));
    objects.push_back("\x51k");
    for (uint32_t a = 0; a < arrays; ++a) {
        const uint32_t inner = loop ? 2 : (a + 1 < arrays ? 3 + a : text);
        objects.push_back(std::string("\xA1", 1) + ref(inner));
    }
    objects.push_back("\x51x");
    std::string out = "bplist00";
    std::vector<uint32_t> offsets;
    for (const std::string& o : objects) {
        offsets.push_back(static_cast<uint32_t>(out.size()));
        out += o;
    }
    const uint32_t table = static_cast<uint32_t>(out.size());
    for (uint32_t o : offsets) out += bigEndian(o);
    std::string trailer(6, '\0');
    trailer += '\x04'; // offset size
    trailer += '\x04'; // reference size
    auto be64 = [](uint64_t v) {
        std::string b(8, '\0');
        for (int i = 7; i >= 0; --i, v >>= 8) b[static_cast<size_t>(i)] = static_cast<char>(v & 0xFF);
        return b;
    };
    return out + trailer + be64(objects.size()) + be64(0) + be64(table);
}

class BookFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        quibotest::ScratchTemplate tmpl("quibo_bookfiles_XXXXXX");
        dir = mkdtemp(tmpl) ? tmpl : "";
        ASSERT_FALSE(dir.empty());
        fifo = dir + "/pipe";
        ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0644));
    }
    void TearDown() override
    {
        CCPoolManager::sharedPoolManager()->pop();
        std::system(("rm -rf '" + dir + "'").c_str());
    }
    // The one line the capture holds, or a note that there was not exactly one.
    static std::string onlyLine(const CCLogCapture& log)
    {
        return log.lines().size() == 1 ? log.lines()[0]
                                       : std::to_string(log.lines().size()) + " lines instead of one";
    }
    static bool has(const std::string& line, const std::string& part) { return line.find(part) != std::string::npos; }

    std::string dir;
    std::string fifo;
};

} // namespace

TEST_F(BookFiles, FifosDevicesAndFoldersAreRefusedAtOnceWithOneLine)
{
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    struct Case {
        std::string path;
        const char* reason;
    };
    for (const Case& c : {Case{fifo, "a FIFO"}, Case{"/dev/zero", "a device"}, Case{dir, "a directory"},
                          Case{dir + "/missing.plist", "No such file"}}) {
        SCOPED_TRACE(c.path);
        CCLogCapture log;
        long long size = -1;
        EXPECT_EQ(-1, files->openBookFile(c.path, BookFileKind::PropertyList, &size));
        EXPECT_EQ(0, size);
        const std::string line = onlyLine(log);
        EXPECT_TRUE(has(line, c.path) && has(line, c.reason)) << line;
        std::string out = "stale";
        EXPECT_FALSE(files->readBookFile(c.path, BookFileKind::Image, out));
        EXPECT_TRUE(out.empty());
    }
    // Present but refused is told apart from missing.
    EXPECT_TRUE(files->isPathPresent(fifo));
    EXPECT_FALSE(files->isFileExist(fifo));
    EXPECT_FALSE(files->isPathPresent(dir + "/missing.plist"));

    // The reason can go to a caller that reports it in its own line.
    CCLogCapture quiet;
    std::string why;
    EXPECT_EQ(-1, files->openBookFile(fifo, BookFileKind::Audio, nullptr, &why));
    EXPECT_TRUE(quiet.lines().empty());
    EXPECT_TRUE(has(why, "FIFO")) << why;
}

TEST_F(BookFiles, EachKindHasItsSizeBoundAndARegularFileWithinItIsRead)
{
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    const std::string small = dir + "/small.txt";
    writeFile(small, "twelve bytes");
    std::string out;
    ASSERT_TRUE(files->readBookFile(small, BookFileKind::Layout, out));
    EXPECT_EQ("twelve bytes", out);
    long long size = 0;
    const int fd = files->openBookFile(small, BookFileKind::Audio, &size);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(12, size);
    ::close(fd);

    struct Bound {
        BookFileKind kind;
        long long limit;
    };
    for (const Bound& b : {Bound{BookFileKind::Layout, kMaxLayoutFileBytes},
                           Bound{BookFileKind::PropertyList, kMaxPropertyListFileBytes},
                           Bound{BookFileKind::Image, kMaxImageFileBytes},
                           Bound{BookFileKind::Audio, kMaxAudioFileBytes},
                           Bound{BookFileKind::FontDescription, kMaxFontDescriptionFileBytes},
                           Bound{BookFileKind::Other, kMaxOtherFileBytes}}) {
        EXPECT_EQ(b.limit, CCFileUtils::maxFileBytes(b.kind));
        const std::string exact = dir + "/exact";
        sizedFile(exact, b.limit);
        const int ok = files->openBookFile(exact, b.kind);
        EXPECT_GE(ok, 0) << b.limit;
        ::close(ok);
        const std::string over = dir + "/over";
        sizedFile(over, b.limit + 1);
        CCLogCapture log;
        EXPECT_EQ(-1, files->openBookFile(over, b.kind));
        const std::string line = onlyLine(log);
        EXPECT_TRUE(has(line, over) && has(line, std::to_string(b.limit + 1) + " bytes")) << line;
    }
    // The whole-file reads every other engine reader uses are guarded too.
    CCLogCapture log;
    unsigned long got = 1;
    EXPECT_EQ(nullptr, files->getFileData(fifo.c_str(), "rb", &got));
    EXPECT_EQ(0u, got);
    EXPECT_FALSE(files->getFileContents(fifo, out));
    EXPECT_EQ(2u, log.lines().size());
}

TEST_F(BookFiles, PropertyListsAreBoundedInSizeAndDepth)
{
    CCLogCapture log;
    EXPECT_EQ(nullptr, CCDictionary::createWithContentsOfFile(fifo.c_str()));
    EXPECT_TRUE(has(onlyLine(log), "FIFO")) << onlyLine(log);

    const std::string huge = dir + "/Stringstr.xml";
    sizedFile(huge, kMaxPropertyListFileBytes + 1);
    CCLogCapture big;
    EXPECT_EQ(nullptr, CCDictionary::createWithContentsOfFile(huge.c_str()));
    EXPECT_TRUE(has(onlyLine(big), "Stringstr.xml")) << onlyLine(big);

    auto nested = [](int levels) {
        std::string body;
        for (int i = 0; i < levels; ++i) body += "<array>";
        body += "<string>x</string>";
        for (int i = 0; i < levels; ++i) body += "</array>";
        return "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>k</key>" + body + "</dict></plist>";
    };
    // A million levels would overflow the stack of the parser (or of the
    // code freeing its tree): refused from the bytes before parsing.
    const std::string deep = dir + "/deep.plist";
    for (int levels : {500, 500000}) {
        writeFile(deep, nested(levels));
        CCLogCapture depth;
        EXPECT_EQ(nullptr, CCDictionary::createWithContentsOfFile(deep.c_str()));
        EXPECT_TRUE(has(onlyLine(depth), "nested deeper")) << onlyLine(depth);
    }
    writeFile(deep, nested(static_cast<int>(kMaxPropertyListNesting)));
    EXPECT_NE(nullptr, CCDictionary::createWithContentsOfFile(deep.c_str()));
    writeFile(deep, nested(static_cast<int>(kMaxPropertyListNesting) + 1));
    EXPECT_EQ(nullptr, CCDictionary::createWithContentsOfFile(deep.c_str()));

    // The same in a binary property list, and one whose array holds itself.
    const std::string binary = dir + "/deep.bplist";
    for (const std::string& bytes : {binaryNested(500000), binaryNested(0, true)}) {
        writeFile(binary, bytes);
        CCLogCapture depth;
        EXPECT_EQ(nullptr, CCDictionary::createWithContentsOfFile(binary.c_str()));
        EXPECT_TRUE(has(onlyLine(depth), "nested deeper")) << onlyLine(depth);
    }
    writeFile(binary, binaryNested(10));
    EXPECT_NE(nullptr, CCDictionary::createWithContentsOfFile(binary.c_str()));
}

TEST_F(BookFiles, PicturesAreJudgedByTheirHeaderBeforeDecoding)
{
    struct Claim {
        unsigned w, h;
    };
    // 100000 x 100000 would ask for 40 GB; the others pass the side bound
    // on one axis, the last one past what an int holds.
    for (const Claim& c : {Claim{100000, 100000}, Claim{5000, 10}, Claim{10, 4097}, Claim{0xFFFFFFFFu, 1}}) {
        const std::string path = dir + "/claim.png";
        writeFile(path, pngHeader(c.w, c.h));
        CCLogCapture log;
        CCImage image;
        EXPECT_FALSE(image.initWithImageFile(path));
        const std::string line = onlyLine(log);
        EXPECT_TRUE(has(line, "claim.png") && has(line, std::to_string(c.w) + " x " + std::to_string(c.h))) << line;
        EXPECT_FALSE(image.hasPixels());
    }
    CCLogCapture log;
    CCImage fromFifo;
    EXPECT_FALSE(fromFifo.initWithImageFile(fifo));
    EXPECT_TRUE(has(onlyLine(log), "FIFO")) << onlyLine(log);

    CCLogCapture unknown;
    CCImage gif;
    const std::string gifHeader = "GIF89a\x10\x27\x10\x27";
    EXPECT_FALSE(gif.initWithImageData(reinterpret_cast<const unsigned char*>(gifHeader.data()), gifHeader.size()));
    EXPECT_TRUE(has(onlyLine(unknown), "not a PNG, JPEG or BMP")) << onlyLine(unknown);
}

TEST_F(BookFiles, ThePicturesOfOnePageShareAPixelBudget)
{
    const int side = 64;
    std::vector<unsigned char> rgba(side * side * 4, 200);
    const std::string path = dir + "/tile.png";
    ASSERT_TRUE(CCImage::savePNG(path, rgba.data(), side, side));
    {
        CCPagePixelBudget budget(2LL * side * side);
        CCPagePixelBudget inner(1); // an inner budget leaves the outer in charge
        CCImage a, b, c;
        EXPECT_TRUE(a.initWithImageFile(path));
        EXPECT_TRUE(b.initWithImageFile(path));
        CCLogCapture log;
        EXPECT_FALSE(c.initWithImageFile(path));
        EXPECT_TRUE(has(onlyLine(log), "budget")) << onlyLine(log);
    }
    CCImage after; // no budget open: only the per-picture bounds apply
    EXPECT_TRUE(after.initWithImageFile(path));
    EXPECT_EQ(side, after.getWidth());
}

TEST_F(BookFiles, BitmapFontsAndNarrationFromAFifoFailWithOneLine)
{
    CCLogCapture fontLog;
    EXPECT_EQ(nullptr, CCLabelBMFont::create("12", fifo.c_str()));
    bool named = false;
    for (const std::string& l : fontLog.lines()) named = named || (has(l, fifo) && has(l, "FIFO"));
    EXPECT_TRUE(named);

    SimpleAudioEngine* engine = SimpleAudioEngine::sharedEngine();
    SimulatedAudioBackend* sim = engine->useSimulatedBackend();
    const std::string mp3 = dir + "/narration.mp3";
    ASSERT_EQ(0, ::mkfifo(mp3.c_str(), 0644));
    CCLogCapture log;
    engine->playBackgroundMusic(mp3.c_str());
    EXPECT_FALSE(engine->isBackgroundMusicPlaying());
    EXPECT_TRUE(has(onlyLine(log), "FIFO")) << onlyLine(log);
    sizedFile(dir + "/long.mp3", kMaxAudioFileBytes + 1);
    CCLogCapture big;
    engine->playBackgroundMusic((dir + "/long.mp3").c_str());
    EXPECT_TRUE(has(onlyLine(big), "bytes")) << onlyLine(big);
    EXPECT_FALSE(engine->isBackgroundMusicPlaying());
    (void)sim;
    SimpleAudioEngine::end();
}
