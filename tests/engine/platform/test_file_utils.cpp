// Resource lookup: search-path order, absolute names, missing files and the
// default resources folder.
#include "base/CCLog.h"
#include "ScratchFolder.h"
#include "platform/CCFileUtils.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace cc;

namespace {

std::string makeTempDir()
{
    quibotest::ScratchTemplate tmpl("quibo_fileutils_XXXXXX");
    char* dir = mkdtemp(tmpl);
    return dir ? dir : "";
}

void writeFile(const std::string& path, const std::string& text)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
}

class FileUtilsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dirA = makeTempDir();
        dirB = makeTempDir();
        ASSERT_FALSE(dirA.empty());
        ASSERT_FALSE(dirB.empty());
        saved = CCFileUtils::sharedFileUtils()->getSearchPaths();
    }
    void TearDown() override
    {
        CCFileUtils::sharedFileUtils()->setSearchPaths(saved);
        std::system(("rm -rf '" + dirA + "' '" + dirB + "'").c_str());
    }
    std::string dirA, dirB;
    std::vector<std::string> saved;
};

} // namespace

TEST_F(FileUtilsTest, RelativeNamesFollowSearchPathOrder)
{
    mkdir((dirB + "/sub").c_str(), 0755);
    writeFile(dirA + "/both.txt", "from A");
    writeFile(dirB + "/both.txt", "from B");
    writeFile(dirB + "/sub/only_b.txt", "nested");

    CCFileUtils* fu = CCFileUtils::sharedFileUtils();
    fu->setSearchPaths({dirA, dirB + "/"});
    ASSERT_EQ(fu->getSearchPaths().size(), 2u);
    EXPECT_EQ(fu->getSearchPaths()[0], dirA + "/");

    EXPECT_EQ(fu->fullPathForFilename("both.txt"), dirA + "/both.txt");
    EXPECT_EQ(fu->fullPathForFilename("sub/only_b.txt"), dirB + "/sub/only_b.txt");
    EXPECT_TRUE(fu->isFileExist("sub/only_b.txt"));

    std::string text;
    ASSERT_TRUE(fu->getFileContents("both.txt", text));
    EXPECT_EQ(text, "from A");

    // Unknown names come back unchanged, so the caller's open fails on them.
    EXPECT_EQ(fu->fullPathForFilename("nothing/here.txt"), "nothing/here.txt");
    EXPECT_FALSE(fu->isFileExist("nothing/here.txt"));

    // Adding a path appends; adding it again changes nothing.
    fu->setSearchPaths({dirB});
    fu->addSearchPath(dirA);
    fu->addSearchPath(dirA + "/");
    EXPECT_EQ(fu->getSearchPaths().size(), 2u);
    EXPECT_EQ(fu->fullPathForFilename("both.txt"), dirB + "/both.txt");
}

TEST_F(FileUtilsTest, AbsolutePathIsReturnedAsIs)
{
    CCFileUtils* fu = CCFileUtils::sharedFileUtils();
    writeFile(dirB + "/abs.txt", "x");
    fu->setSearchPaths({dirA});
    EXPECT_EQ(fu->fullPathForFilename((dirB + "/abs.txt").c_str()), dirB + "/abs.txt");
    EXPECT_EQ(fu->fullPathForFilename("/no/such/file"), "/no/such/file");
}

TEST_F(FileUtilsTest, GetFileDataReadsBytesOrReportsOnce)
{
    CCFileUtils* fu = CCFileUtils::sharedFileUtils();
    std::string bytes("a\0b\xff", 4);
    writeFile(dirA + "/bin.dat", bytes);
    fu->setSearchPaths({dirA});

    unsigned long size = 99;
    unsigned char* data = fu->getFileData("bin.dat", "rb", &size);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(size, 4ul);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size), bytes);
    delete[] data;

    CCLogCapture log;
    size = 99;
    EXPECT_EQ(fu->getFileData("missing.dat", "rb", &size), nullptr);
    EXPECT_EQ(size, 0ul);
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_NE(log.lines()[0].find("missing.dat"), std::string::npos);

    log.clear();
    std::string text = "stale";
    EXPECT_FALSE(fu->getFileContents("missing.txt", text));
    EXPECT_TRUE(text.empty());
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_NE(log.lines()[0].find("missing.txt"), std::string::npos);

    // A directory is not a readable file.
    log.clear();
    EXPECT_EQ(fu->getFileData(dirB.c_str(), "rb", &size), nullptr);
    EXPECT_EQ(log.lines().size(), 1u);
}

TEST(FileUtilsDefaults, DefaultSearchPathIsAResourcesFolder)
{
    CCFileUtils::purgeFileUtils();
    CCFileUtils* fu = CCFileUtils::sharedFileUtils();
    ASSERT_EQ(fu->getSearchPaths().size(), 1u);
    const std::string& root = fu->getSearchPaths()[0];
    const std::string suffix = "resources/";
    ASSERT_GE(root.size(), suffix.size());
    EXPECT_EQ(root.substr(root.size() - suffix.size()), suffix);
    EXPECT_EQ(root, CCFileUtils::defaultResourceRoot() + "/");
}

TEST(FileUtilsDefaults, AnInstalledProgramFindsItsBookBesideItsBinFolder)
{
    quibotest::ScratchTemplate tmpl("quibo-prefix-XXXXXX");
    const std::string prefix = mkdtemp(tmpl);
    ASSERT_EQ(0, std::system(("mkdir -p '" + prefix + "/bin' '" + prefix + "/share/quibo'").c_str()));
    const std::string found = CCFileUtils::installedResourceRoot(prefix + "/bin");
    ASSERT_FALSE(found.empty());
    struct stat a, b;
    ASSERT_EQ(0, ::stat(found.c_str(), &a));
    ASSERT_EQ(0, ::stat((prefix + "/share/quibo").c_str(), &b));
    EXPECT_EQ(a.st_ino, b.st_ino);
    // No book there, or no folder: nothing installed, the build tree's walk decides.
    EXPECT_EQ("", CCFileUtils::installedResourceRoot(prefix + "/share/quibo"));
    EXPECT_EQ("", CCFileUtils::installedResourceRoot(""));
    // A test program runs from the build tree: it keeps the source tree's book.
    EXPECT_EQ("", CCFileUtils::installedResourceRoot(prefix + "/nowhere"));
    std::system(("rm -rf '" + prefix + "'").c_str());
}
