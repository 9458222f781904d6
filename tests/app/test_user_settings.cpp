// The settings file: good lines, every kind of bad line with its one log
// line, files that are not settings files at all, and where the file is
// looked for.
#include "app/UserSettings.h"
#include "ScratchFolder.h"

#include "base/CCLog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sys/stat.h>

using namespace quibo;

namespace {

// The log lines of one call that begin with prefix.
std::vector<std::string> linesStartingWith(const cc::CCLogCapture& log, const std::string& prefix)
{
    std::vector<std::string> out;
    for (const std::string& l : log.lines()) {
        if (l.compare(0, prefix.size(), prefix) == 0) out.push_back(l);
    }
    return out;
}

struct ScratchFolder {
    std::string path;
    ScratchFolder()
    {
        quibotest::ScratchTemplate pattern("quibo_settings_XXXXXX");
        const char* made = mkdtemp(pattern);
        path = made ? made : "";
    }
    ~ScratchFolder() { (void)std::system(("rm -rf '" + path + "'").c_str()); }
};

} // namespace

TEST(UserSettings, GoodLinesSetTheValuesAndCommentsAndBlanksAreSkipped)
{
    cc::CCLogCapture log;
    const UserSettings s = parseUserSettings("\xEF\xBB\xBF# quibo settings\n"
                                             "\n"
                                             "   \t \n"
                                             "narration-speed = 0.75   # slower for a beginner\n"
                                             "remember=true\r\n"
                                             "  narration-speed\t=\t1.25x\n",
                                             "quibo.conf");
    EXPECT_TRUE(log.lines().empty());
    EXPECT_TRUE(s.hasNarrationSpeed);
    EXPECT_FLOAT_EQ(1.25f, s.narrationSpeed); // the later line wins
    EXPECT_TRUE(s.remember);

    const UserSettings none = parseUserSettings("", "quibo.conf");
    EXPECT_FALSE(none.hasNarrationSpeed);
    EXPECT_FLOAT_EQ(1.0f, none.narrationSpeed);
    EXPECT_FALSE(none.remember);
    EXPECT_FALSE(parseUserSettings("remember = false\n", "f").remember);
    EXPECT_TRUE(log.lines().empty());
}

TEST(UserSettings, EveryBadLineGivesOneLineNamingItAndIsIgnored)
{
    const std::string text = "remember = true\n"                        // 1 good
                             "narration-speed = 3\n"                    // 2 out of range
                             "narration-speed = fast\n"                 // 3 not a number
                             "narration-speed =\n"                      // 4 empty value
                             "remember = yes\n"                         // 5 neither true nor false
                             "remember = TRUE\n"                        // 6 case matters
                             "volume = 0.5\n"                           // 7 unknown key
                             "Narration-Speed = 1\n"                    // 8 unknown (case)
                             "just some words\n"                        // 9 no '='
                             "= 1.5\n"                                  // 10 no key
                             "narration speed = 1.5\n"                  // 11 unknown key
                             "remember = true\x01\n"                    // 12 control byte
                             "narration-speed = 0.49\n";                // 13 out of range, no newline after
    cc::CCLogCapture log;
    const UserSettings s = parseUserSettings(text.substr(0, text.size() - 1), "/home/r/.config/quibo/quibo.conf");
    const std::vector<std::string> lines = linesStartingWith(log, "settings: ");
    ASSERT_EQ(12u, lines.size());
    EXPECT_EQ(lines.size(), log.lines().size());
    const char* expected[] = {
        ":2: narration-speed \"3\" is not a number from 0.5 to 2.0; 1.0 is used",
        ":3: narration-speed \"fast\" is not a number from 0.5 to 2.0; 1.0 is used",
        ":4: narration-speed \"\" is not a number from 0.5 to 2.0; 1.0 is used",
        ":5: remember \"yes\" is neither true nor false; ignored",
        ":6: remember \"TRUE\" is neither true nor false; ignored",
        ":7: unknown key \"volume\"; ignored",
        ":8: unknown key \"Narration-Speed\"; ignored",
        ":9: not a \"key = value\" line; ignored",
        ":10: not a \"key = value\" line; ignored",
        ":11: unknown key \"narration speed\"; ignored",
        ":12: not a line of text; ignored",
        ":13: narration-speed \"0.49\" is not a number from 0.5 to 2.0; 1.0 is used",
    };
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ("settings: /home/r/.config/quibo/quibo.conf" + std::string(expected[i]), lines[i]);
    }
    // Bad values leave the defaults: speed 1.0, remember as the good line set it.
    EXPECT_TRUE(s.hasNarrationSpeed);
    EXPECT_FLOAT_EQ(1.0f, s.narrationSpeed);
    EXPECT_TRUE(s.remember);
}

TEST(UserSettings, OnlyASmallRegularFileIsReadAndAMissingOneIsSilent)
{
    ScratchFolder dir;
    ASSERT_FALSE(dir.path.empty());
    cc::CCLogCapture log;
    EXPECT_FALSE(readUserSettings(dir.path + "/quibo.conf").remember);
    EXPECT_FALSE(readUserSettings("").remember);
    EXPECT_TRUE(log.lines().empty());

    const std::string good = dir.path + "/good.conf";
    std::ofstream(good) << "remember = true\nnarration-speed = 2\n";
    const UserSettings s = readUserSettings(good);
    EXPECT_TRUE(s.remember);
    EXPECT_FLOAT_EQ(2.0f, s.narrationSpeed);
    EXPECT_TRUE(log.lines().empty());

    // A folder, a pipe and an oversized file: one line each, no settings.
    const std::string fifo = dir.path + "/fifo.conf";
    ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
    const std::string big = dir.path + "/big.conf";
    std::ofstream(big) << "remember = true\n" << std::string(kMaxSettingsBytes, '#');
    for (const std::string& bad : {dir.path, fifo, big}) {
        log.clear();
        EXPECT_FALSE(readUserSettings(bad).remember) << bad;
        ASSERT_EQ(1u, log.lines().size()) << bad;
        EXPECT_EQ(0u, log.lines()[0].find("settings: " + bad + ": ")) << log.lines()[0];
        EXPECT_NE(std::string::npos, log.lines()[0].find("; no settings are used")) << log.lines()[0];
    }
}

TEST(UserSettings, TheFileIsLookedForUnderTheConfigFolder)
{
    const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = oldConfig ? oldConfig : "";
    setenv("XDG_CONFIG_HOME", "/somewhere/config", 1);
    EXPECT_EQ("/somewhere/config/quibo/quibo.conf", userSettingsPath());
    if (oldConfig) {
        setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    } else {
        unsetenv("XDG_CONFIG_HOME");
    }
}
