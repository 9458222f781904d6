// The user's folders from the XDG variables, bounded reads that refuse
// anything but a small regular file, nested folder creation and whole-file
// replacement that leaves no temporary file. Everything happens in a
// scratch folder; the environment is put back afterwards.
#include "platform/UserFiles.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace cc;

namespace {

// Sets or unsets a variable for one test and puts the old value back.
class EnvironmentVariable {
public:
    EnvironmentVariable(const char* name, const char* value) : m_name(name)
    {
        const char* old = std::getenv(name);
        m_had = old != nullptr;
        m_old = old ? old : "";
        set(value);
    }
    ~EnvironmentVariable() { set(m_had ? m_old.c_str() : nullptr); }
    void set(const char* value)
    {
        if (value) {
            setenv(m_name.c_str(), value, 1);
        } else {
            unsetenv(m_name.c_str());
        }
    }

private:
    std::string m_name, m_old;
    bool m_had = false;
};

class UserFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        quibotest::ScratchTemplate pattern("quibo_user_files_XXXXXX");
        const char* made = mkdtemp(pattern);
        ASSERT_NE(nullptr, made);
        dir = made;
    }
    void TearDown() override { (void)std::system(("rm -rf '" + dir + "'").c_str()); }

    std::string write(const std::string& name, const std::string& text)
    {
        const std::string path = dir + "/" + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    std::vector<std::string> entries(const std::string& folder)
    {
        std::vector<std::string> names;
        if (DIR* d = opendir(folder.c_str())) {
            while (dirent* e = readdir(d)) {
                const std::string n = e->d_name;
                if (n != "." && n != "..") names.push_back(n);
            }
            closedir(d);
        }
        return names;
    }

    std::string dir;
};

} // namespace

TEST_F(UserFiles, FoldersComeFromTheXdgVariablesOrTheHomeFolder)
{
    EnvironmentVariable home("HOME", "/home/reader");
    EnvironmentVariable config("XDG_CONFIG_HOME", "/elsewhere/config");
    EnvironmentVariable state("XDG_STATE_HOME", "/elsewhere/state");
    EXPECT_EQ("/elsewhere/config", userConfigHome());
    EXPECT_EQ("/elsewhere/state", userStateHome());
    // Unset, empty or relative values do not count.
    config.set(nullptr);
    state.set("");
    EXPECT_EQ("/home/reader/.config", userConfigHome());
    EXPECT_EQ("/home/reader/.local/state", userStateHome());
    config.set("relative/config");
    state.set("relative/state");
    EXPECT_EQ("/home/reader/.config", userConfigHome());
    EXPECT_EQ("/home/reader/.local/state", userStateHome());
    home.set("/home/reader/");
    EXPECT_EQ("/home/reader/.config", userConfigHome());
    home.set(nullptr);
    EXPECT_EQ("", userConfigHome());
    EXPECT_EQ("", userStateHome());
    home.set("not/absolute");
    EXPECT_EQ("", userStateHome());
}

TEST_F(UserFiles, ReadsOnlySmallRegularFiles)
{
    std::string text, error;
    EXPECT_EQ(UserFileRead::Ok, readSmallUserFile(write("small", "a = 1\n"), 16, text, error));
    EXPECT_EQ("a = 1\n", text);
    EXPECT_EQ(UserFileRead::Ok, readSmallUserFile(write("exact", std::string(16, 'x')), 16, text, error));
    EXPECT_EQ(16u, text.size());
    EXPECT_EQ(UserFileRead::Ok, readSmallUserFile(write("empty", ""), 16, text, error));
    EXPECT_EQ("", text);

    EXPECT_EQ(UserFileRead::TooLarge, readSmallUserFile(write("big", std::string(17, 'x')), 16, text, error));
    EXPECT_EQ("", text);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(UserFileRead::Missing, readSmallUserFile(dir + "/none", 16, text, error));
    EXPECT_EQ(UserFileRead::NotRegular, readSmallUserFile(dir, 16, text, error));
    EXPECT_EQ("not a regular file", error);
    // A pipe is refused at once instead of waiting for a writer.
    const std::string fifo = dir + "/fifo";
    ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
    EXPECT_EQ(UserFileRead::NotRegular, readSmallUserFile(fifo, 16, text, error));
    EXPECT_EQ(UserFileRead::NotRegular, readSmallUserFile("/dev/zero", 16, text, error));
    // A link to a regular file is read through.
    const std::string link = dir + "/link";
    ASSERT_EQ(0, symlink((dir + "/small").c_str(), link.c_str()));
    EXPECT_EQ(UserFileRead::Ok, readSmallUserFile(link, 16, text, error));
    EXPECT_EQ("a = 1\n", text);
    if (geteuid() != 0) {
        const std::string locked = write("locked", "x");
        chmod(locked.c_str(), 0);
        EXPECT_EQ(UserFileRead::Unreadable, readSmallUserFile(locked, 16, text, error));
    }
}

TEST_F(UserFiles, MakesNestedFoldersAndReplacesFilesWholeWithoutLeftovers)
{
    std::string error;
    const std::string nested = dir + "/state/quibo";
    EXPECT_TRUE(makeUserFolders(nested, error)) << error;
    EXPECT_TRUE(makeUserFolders(nested, error)) << error; // already there
    struct stat st;
    ASSERT_EQ(0, stat(nested.c_str(), &st));
    EXPECT_EQ(0700u, st.st_mode & 0777);
    EXPECT_FALSE(makeUserFolders(write("plain", "x") + "/below", error));
    EXPECT_FALSE(makeUserFolders("", error));

    const std::string file = nested + "/one.place";
    ASSERT_TRUE(replaceUserFile(file, "first\n", error)) << error;
    ASSERT_TRUE(replaceUserFile(file, "second\n", error)) << error;
    std::string text;
    ASSERT_EQ(UserFileRead::Ok, readSmallUserFile(file, 64, text, error));
    EXPECT_EQ("second\n", text);
    EXPECT_EQ(std::vector<std::string>{"one.place"}, entries(nested));
    ASSERT_EQ(0, stat(file.c_str(), &st));
    EXPECT_EQ(0600u, st.st_mode & 0777);

    // A folder that does not exist: false, and nothing is left anywhere.
    EXPECT_FALSE(replaceUserFile(dir + "/missing/one.place", "x", error));
    EXPECT_FALSE(error.empty());
    // A folder standing where the file should go: the rename fails and the
    // temporary file goes again.
    ASSERT_TRUE(makeUserFolders(nested + "/taken", error));
    EXPECT_FALSE(replaceUserFile(nested + "/taken", "x", error));
    std::vector<std::string> left = entries(nested);
    std::sort(left.begin(), left.end());
    EXPECT_EQ((std::vector<std::string>{"one.place", "taken"}), left);

    EXPECT_EQ(dir + "/state/quibo", resolvedPath(dir + "/state/../state/quibo/"));
    EXPECT_EQ("", resolvedPath(dir + "/none"));
    EXPECT_EQ("", resolvedPath(""));
}
