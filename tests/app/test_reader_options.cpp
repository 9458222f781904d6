// The reader's options for a run: the command line over the settings file,
// and the built program itself: with no options and no settings file it
// writes nothing in the user's folders; a settings file under the home
// folder is read, and a kept place is written again at exit.
#include "app/CommandLine.h"
#include "QuiboBinary.h"
#include "ScratchFolder.h"
#include "app/PlaceFile.h"
#include "app/ReaderOptions.h"
#include "app/UserSettings.h"

#include "audio/SimpleAudioEngine.h"
#include "base/CCLog.h"
#include "platform/CCFileUtils.h"
#include "platform/UserFiles.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>

using namespace quibo;

namespace {

std::string slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every file below folder, one path a line.
std::string filesBelow(const std::string& folder)
{
    const std::string list = folder + "/../files.txt";
    (void)std::system(("find '" + folder + "' -mindepth 1 > '" + list + "'").c_str());
    return slurp(list);
}

struct Scratch {
    std::string path;
    Scratch()
    {
        quibotest::ScratchTemplate pattern("quibo_session_XXXXXX");
        const char* made = mkdtemp(pattern);
        path = made ? made : "";
    }
    ~Scratch() { (void)std::system(("rm -rf '" + path + "'").c_str()); }
};

// The usual exit status of a program ended by SIGTERM.
const int kEndedByTerm = 128 + SIGTERM;

struct ProgramRun {
    int status = -1;
    std::string out;
};

// The program in its window with HOME at home and no XDG folders of the
// caller's: it runs until the main menu is built, then gets the termination
// signal and ends with the status for it, having kept its place first. This
// run is about files, so leak checking is off for it in a sanitizer build
// (the soak runs check the program's own memory).
ProgramRun runInWindow(const std::string& scratch, const std::string& home, const std::string& args)
{
    const std::string out = scratch + "/out.txt";
    const std::string script = scratch + "/run.sh";
    std::ofstream(script) << "env -u XDG_CONFIG_HOME -u XDG_STATE_HOME HOME='" << home
                          << "' SDL_AUDIODRIVER=dummy ASAN_OPTIONS=\"${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0\" '"
                          << quiboBinary() << "' " << args << " > '" << out
                          << "' 2>&1 &\n"
                          << "pid=$!\n"
                          << "for i in $(seq 300); do grep -q TestController '" << out
                          << "' && break; sleep 0.1; done\n"
                          << "kill -TERM $pid\nwait $pid\n";
    ProgramRun run;
    const int raw = std::system(("bash '" + script + "'").c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = slurp(out);
    return run;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

} // namespace

TEST(ReaderOptions, TheCommandLineWinsOverTheSettingsFile)
{
    UserSettings file;
    file.hasNarrationSpeed = true;
    file.narrationSpeed = 0.75f;

    cc::CCLogCapture log;
    ReaderOptions o = readerOptions(parseCommandLine({}), UserSettings());
    EXPECT_FALSE(o.setsNarrationSpeed);
    EXPECT_FALSE(o.remember);

    o = readerOptions(parseCommandLine({}), file);
    EXPECT_TRUE(o.setsNarrationSpeed);
    EXPECT_FLOAT_EQ(0.75f, o.narrationSpeed);

    const CommandLine fast = parseCommandLine({"--narration-speed", "1.5", "--remember"});
    ASSERT_EQ(CommandLine::Action::OpenWindow, fast.action);
    o = readerOptions(fast, file);
    EXPECT_FLOAT_EQ(1.5f, o.narrationSpeed);
    EXPECT_TRUE(o.remember);
    EXPECT_TRUE(log.lines().empty());

    // A bad value on the command line: one line, and 1.0 (not the file's).
    o = readerOptions(parseCommandLine({"--narration-speed", "9"}), file);
    EXPECT_TRUE(o.setsNarrationSpeed);
    EXPECT_FLOAT_EQ(1.0f, o.narrationSpeed);
    ASSERT_EQ(1u, log.lines().size());
    EXPECT_EQ("quibo: --narration-speed \"9\" is not a number from 0.5 to 2.0; 1.0 is used", log.lines()[0]);

    file.remember = true;
    EXPECT_TRUE(readerOptions(parseCommandLine({}), file).remember);

    // The speed reaches the audio engine only when one was asked for.
    cc::SimpleAudioEngine::end();
    applyNarrationSpeed(readerOptions(parseCommandLine({}), UserSettings()));
    EXPECT_FLOAT_EQ(1.0f, cc::SimpleAudioEngine::sharedEngine()->getBackgroundMusicSpeed());
    applyNarrationSpeed(readerOptions(parseCommandLine({"--narration-speed", "0.5"}), UserSettings()));
    EXPECT_FLOAT_EQ(0.5f, cc::SimpleAudioEngine::sharedEngine()->getBackgroundMusicSpeed());
    cc::SimpleAudioEngine::end();

    // The options parse in any order, --remember takes no value, the speed one does.
    const CommandLine both = parseCommandLine({"--remember", "--resources", "/tmp", "--narration-speed", "x"});
    EXPECT_EQ(CommandLine::Action::OpenWindow, both.action);
    EXPECT_TRUE(both.remember);
    EXPECT_TRUE(both.hasNarrationSpeed);
    EXPECT_EQ("x", both.narrationSpeed);
    EXPECT_EQ(CommandLine::Action::Error, parseCommandLine({"--narration-speed"}).action);
    EXPECT_EQ(CommandLine::Action::Error, parseCommandLine({"--remember=true"}).action);
    EXPECT_FALSE(parseCommandLine({}).hasNarrationSpeed);
    EXPECT_NE(std::string::npos, usageText().find("--narration-speed X"));
    EXPECT_NE(std::string::npos, usageText().find("--remember"));
}

TEST(ReaderSession, TheProgramWritesNothingWithoutOptionsAndReadsTheSettingsUnderHome)
{
    // The reader runs in its window; without a display it would only say so.
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    Scratch scratch;
    ASSERT_FALSE(scratch.path.empty());
    const std::string home = scratch.path + "/home";
    ASSERT_EQ(0, std::system(("mkdir -p '" + home + "'").c_str()));

    // No options, no settings file: the main menu as always, nothing written.
    ProgramRun plain = runInWindow(scratch.path, home, "");
    EXPECT_EQ(kEndedByTerm, plain.status) << plain.out;
    EXPECT_TRUE(contains(plain.out, "-----------TestController----- tale -------------- !")) << plain.out;
    EXPECT_FALSE(contains(plain.out, "settings: ")) << plain.out;
    EXPECT_FALSE(contains(plain.out, "remember: ")) << plain.out;
    EXPECT_EQ("", filesBelow(home));

    // A settings file in the default folder is read: remembering is on, but
    // with no page read and no place kept there is nothing to write.
    ASSERT_EQ(0, std::system(("mkdir -p '" + home + "/.config/quibo'").c_str()));
    std::ofstream(home + "/.config/quibo/quibo.conf") << "remember = true\nnarration-speed = 0.75\n";
    ProgramRun remembering = runInWindow(scratch.path, home, "");
    EXPECT_EQ(kEndedByTerm, remembering.status) << remembering.out;
    const std::string bookFolder =
        cc::resolvedPath(cc::CCFileUtils::defaultResourceRoot() + "/qovarn_3391_ver10");
    ASSERT_FALSE(bookFolder.empty());
    const std::string placePath = home + "/.local/state/quibo/" + placeFileName(bookFolder);
    EXPECT_TRUE(contains(remembering.out, "remember: no place kept yet for this book (" + placePath + ")"))
        << remembering.out;
    EXPECT_FALSE(contains(remembering.out, "settings: ")) << remembering.out;
    EXPECT_EQ(home + "/.config\n" + home + "/.config/quibo\n" + home + "/.config/quibo/quibo.conf\n",
              filesBelow(home));

    // A kept place is taken back and written again at exit.
    std::string error;
    ASSERT_TRUE(cc::makeUserFolders(home + "/.local/state/quibo", error)) << error;
    Place place;
    place.book = bookFolder;
    place.page = 5;
    place.playMode = 2;
    std::ofstream(placePath) << placeText(place);
    ASSERT_EQ(0, std::system(("touch -d '2001-01-01' '" + placePath + "'").c_str()));
    ProgramRun restored = runInWindow(scratch.path, home, "--narration-speed 2");
    EXPECT_EQ(kEndedByTerm, restored.status) << restored.out;
    EXPECT_FALSE(contains(restored.out, "remember: ")) << restored.out;
    EXPECT_EQ(placeText(place), slurp(placePath));
    EXPECT_NE(0, std::system(("test '" + placePath + "' -ot '" + home + "/.config'").c_str()))
        << "written again at exit";
    // The settings file is only ever read.
    EXPECT_EQ("remember = true\nnarration-speed = 0.75\n", slurp(home + "/.config/quibo/quibo.conf"));
}
