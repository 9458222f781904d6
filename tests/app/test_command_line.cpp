// The command line of quibo: parsing, the simulate runner with its trace on
// the bundled book, and the built program's exit status.
#include "app/AppMain.h"
#include "QuiboBinary.h"
#include "TraceTestSupport.h"
#include "ScratchFolder.h"
#include "app/CommandLine.h"
#include "app/SimulateRunner.h"
#include "app/SimulateScript.h"

#include <json/reader.h>
#include <json/value.h>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <fstream>
#include <sstream>

using namespace quibo;

namespace {

std::string writeTemp(const std::string& name, const std::string& text)
{
    const std::string path = quibotest::scratchPath(name);
    std::ofstream(path) << text;
    return path;
}

int exitStatusOf(const std::string& command)
{
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

} // namespace

TEST(CommandLine, ParsesTheOptionsAndRefusesBadOnes)
{
    EXPECT_EQ(CommandLine::Action::OpenWindow, parseCommandLine({}).action);
    EXPECT_EQ(CommandLine::Action::Help, parseCommandLine({"--help"}).action);
    EXPECT_EQ(CommandLine::Action::Version, parseCommandLine({"--version"}).action);
    EXPECT_EQ(CommandLine::Action::Version, parseCommandLine({"--resources", "/", "--version"}).action);

    const CommandLine good = parseCommandLine({"--resources", "/tmp"});
    EXPECT_EQ(CommandLine::Action::OpenWindow, good.action);
    EXPECT_EQ("/tmp", good.resourcesDir);

    const CommandLine missing = parseCommandLine({"--resources", "/no/such/quibo/dir"});
    EXPECT_EQ(CommandLine::Action::Error, missing.action);
    EXPECT_NE(std::string::npos, missing.error.find("/no/such/quibo/dir"));

    const CommandLine unknown = parseCommandLine({"--fullscreen"});
    EXPECT_EQ(CommandLine::Action::Error, unknown.action);
    EXPECT_NE(std::string::npos, unknown.error.find("--fullscreen"));

    EXPECT_EQ(CommandLine::Action::Error, parseCommandLine({"--simulate"}).action);
    EXPECT_EQ(CommandLine::Action::Error, parseCommandLine({"--trace", "t.jsonl"}).action);

    const CommandLine sim = parseCommandLine({"--trace", "t.jsonl", "--simulate", "s.txt"});
    EXPECT_EQ(CommandLine::Action::Simulate, sim.action);
    EXPECT_EQ("s.txt", sim.scriptPath);
    EXPECT_EQ("t.jsonl", sim.tracePath);

    EXPECT_EQ(kUsageExitStatus, runQuibo({"--nope"}));
    EXPECT_EQ(kUsageExitStatus, runQuibo({"--resources", "/no/such/quibo/dir"}));
}

TEST(SimulateScript, ParsesCommandsAndNamesTheBadLine)
{
    std::vector<ScriptCommand> commands;
    std::string error;
    ASSERT_TRUE(parseScript("# a comment\n\nwait 1.5\ntap 10 20 # touch\nswipe 1 2 3 4\nswipe 1 2 3 4 0.5\n"
                            "down 1 2\nmove 3 4\nup 5 6\ndump\nquit\n",
                            commands, error));
    ASSERT_EQ(9u, commands.size());
    EXPECT_EQ(ScriptCommand::Kind::Wait, commands[0].kind);
    EXPECT_EQ(3, commands[0].line);
    EXPECT_DOUBLE_EQ(1.5, commands[0].args[0]);
    EXPECT_DOUBLE_EQ(20, commands[1].args[1]);
    EXPECT_DOUBLE_EQ(kDefaultSwipeSeconds, commands[2].args[4]);
    EXPECT_DOUBLE_EQ(0.5, commands[3].args[4]);
    EXPECT_EQ(ScriptCommand::Kind::Quit, commands[8].kind);

    commands.clear();
    ASSERT_TRUE(parseScript("shot  /tmp/a b.png  \n", commands, error));
    ASSERT_EQ(1u, commands.size());
    EXPECT_EQ(ScriptCommand::Kind::Shot, commands[0].kind);
    EXPECT_EQ("/tmp/a b.png", commands[0].text);
    EXPECT_TRUE(scriptTakesShots(commands));

    for (const char* bad : {"wait\n", "tap 1\n", "tap 1 2 3\n", "wait x\n", "jump 1\n", "wait -1\n", "tap 1 nan\n",
                            "shot\n"}) {
        commands.clear();
        EXPECT_FALSE(parseScript(std::string("dump\n") + bad, commands, error)) << bad;
        EXPECT_NE(std::string::npos, error.find("line 2")) << error;
    }
}

TEST(Simulate, RunsTheBundledBookAndTracesItsRun)
{
    const std::string script = writeTemp("script.txt", "wait 0.5\ntap 320 480\ndump\nwait 0.25\nquit\nwait 10\n");
    const std::string trace = writeTemp("trace.jsonl", "");
    ASSERT_EQ(0, runSimulation({script, trace, ""}));

    const std::vector<Json::Value> records = readTrace(trace);
    ASSERT_FALSE(records.empty());
    std::vector<std::string> logs;
    int scenes = 0, dumps = 0, stats = 0;
    double lastT = 0;
    for (const Json::Value& r : records) {
        EXPECT_GE(r["t"].asDouble(), lastT);
        lastT = r["t"].asDouble();
        const std::string kind = r["kind"].asString();
        if (kind == "log") {
            logs.push_back(r["text"].asString());
        } else if (kind == "scene") {
            ++scenes;
            EXPECT_EQ("TestController", r["layer"].asString());
        } else if (kind == "dump") {
            ++dumps;
            const Json::Value& root = r["tree"][0];
            EXPECT_EQ("CCScene", root["class"].asString());
            EXPECT_DOUBLE_EQ(640, root["box"][2].asDouble());
            EXPECT_DOUBLE_EQ(960, root["box"][3].asDouble());
            EXPECT_EQ("TestController", root["children"][0]["class"].asString());
            EXPECT_NEAR(0.533, r["t"].asDouble(), 0.001);
        } else if (kind == "stats") {
            ++stats;
            EXPECT_TRUE(r.isMember("liveObjects"));
        }
    }
    ASSERT_GE(logs.size(), 3u);
    EXPECT_EQ("-----------TestController----- tale -------------- !", logs[0]);
    EXPECT_EQ("-----------TestController----- 1 ---------1----- !", logs[1]);
    EXPECT_EQ("-----------TestController----- 9 -------------- !", logs[2]);
    EXPECT_EQ(1, scenes);
    EXPECT_EQ(1, dumps);
    EXPECT_EQ(1, stats);
    // The run stopped at quit: the last record is well before the final wait.
    EXPECT_LT(lastT, 1.0);
    EXPECT_GT(lastT, 0.75);
    const Json::Value& first = records.front();
    EXPECT_EQ("log", first["kind"].asString());
    std::remove(script.c_str());
    std::remove(trace.c_str());
}

TEST(Simulate, AWordTapPlaysItsHashedNarrationAndShotsNeedADisplay)
{
    // Main menu -> word learning (page 9) -> tap the first word card (its picture).
    const std::string shot = writeTemp("shot.png", "");
    std::remove(shot.c_str());
    const std::string script =
        writeTemp("word.txt", "wait 0.5\ntap 320 528\nwait 0.5\ntap 170 720\nwait 0.3\nshot " + shot + "\nwait 2\n");
    const std::string trace = writeTemp("word.jsonl", "");
    ASSERT_EQ(0, runSimulation({script, trace, ""}));

    std::vector<std::string> layers;
    std::string played, ended;
    double playedAt = -1, endedAt = -1;
    for (const Json::Value& r : readTrace(trace)) {
        if (r["kind"] == "scene") layers.push_back(r["layer"].asString());
        if (r["kind"] == "audio" && r["op"] == "play") { played = r["file"].asString(); playedAt = r["t"].asDouble(); }
        if (r["kind"] == "audio" && r["op"] == "ended") { ended = r["file"].asString(); endedAt = r["t"].asDouble(); }
    }
    EXPECT_EQ((std::vector<std::string>{"TestController", "TestLayer1"}), layers);
    // printf %s mc091.mp3 | md5sum
    EXPECT_EQ("qovarn_3391_ver10/epc/a80c20eb314f43ccb3aba4e32bbf4e4a.mp3", played);
    EXPECT_EQ(played, ended);
    EXPECT_NEAR(1.03, playedAt, 0.02);
    EXPECT_GT(endedAt, playedAt + 0.3);

    FILE* f = std::fopen(shot.c_str(), "rb");
    if (!f) {
        EXPECT_EQ(std::getenv("DISPLAY"), nullptr) << "a shot under a display writes its picture";
    } else {
        unsigned char magic[4] = {};
        EXPECT_EQ(4u, std::fread(magic, 1, 4, f));
        EXPECT_EQ('P', magic[1]);
        std::fclose(f);
    }
    std::remove(shot.c_str());
    std::remove(script.c_str());
    std::remove(trace.c_str());
}

TEST(Simulate, AudioOfTheFirstScreenIsTraced)
{
    const std::string script = writeTemp("audio.txt", "wait 0.1\n");
    const std::string trace = writeTemp("audio.jsonl", "");
    ASSERT_EQ(0, runSimulation({script, trace, ""}));
    bool volume = false, stop = false;
    for (const Json::Value& r : readTrace(trace)) {
        if (r["kind"].asString() == "audio") {
            volume = volume || (r["op"].asString() == "volume" && r["value"].asDouble() == 1.0);
            stop = stop || r["op"].asString() == "stop";
        }
    }
    EXPECT_TRUE(volume);
    EXPECT_TRUE(stop);
    std::remove(script.c_str());
    std::remove(trace.c_str());
}

TEST(Simulate, ABadScriptLineOrMissingScriptStopsWithStatusTwo)
{
    const std::string script = writeTemp("bad.txt", "wait 0.1\n\nfly 1 2\n");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(kUsageExitStatus, runSimulation({script, "", ""}));
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, err.find("line 3")) << err;
    EXPECT_EQ(kUsageExitStatus, runSimulation({"/no/such/script.txt", "", ""}));
    std::remove(script.c_str());
}

TEST(Simulate, AGivenResourceDirectoryReplacesTheBundledBook)
{
    quibotest::ScratchTemplate pattern("quibo_res_XXXXXX");
    const std::string root = mkdtemp(pattern);
    ASSERT_EQ(0, std::system(("mkdir -p " + root + "/qovarn_3391_ver10").c_str()));
    std::ofstream(root + "/qovarn_3391_ver10/StringConfig.xml")
        << "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>quiboSubName</key><string>other</string>"
           "<key>pageMin</key><string>4</string><key>wordMin</key><string>0</string></dict></plist>";
    const std::string script = writeTemp("res.txt", "wait 0.05\n");
    const std::string trace = writeTemp("res.jsonl", "");
    ASSERT_EQ(0, runSimulation({script, trace, root}));
    std::vector<std::string> logs;
    for (const Json::Value& r : readTrace(trace)) {
        if (r["kind"].asString() == "log") {
            logs.push_back(r["text"].asString());
        }
    }
    auto has = [&](const std::string& line) { return std::find(logs.begin(), logs.end(), line) != logs.end(); };
    EXPECT_TRUE(has("-----------TestController----- other -------------- !"));
    EXPECT_TRUE(has("-----------TestController----- 4 ---------4----- !"));
    EXPECT_TRUE(has("-----------TestController----- 0 -------------- !"));
    std::system(("rm -rf " + root).c_str());
    std::remove(script.c_str());
    std::remove(trace.c_str());
}

TEST(QuiboProgram, HelpAndBadOptionsExitBeforeAnyWindow)
{
    const std::string quibo = quiboBinary();
    ASSERT_EQ(0, access(quibo.c_str(), X_OK)) << quibo;
    EXPECT_EQ(0, exitStatusOf(quibo + " --help > /dev/null"));
    EXPECT_EQ(2, exitStatusOf(quibo + " --no-such-option 2> /dev/null"));
    EXPECT_EQ(2, exitStatusOf(quibo + " --resources /no/such/quibo/dir 2> /dev/null"));
}

TEST(QuiboProgram, VersionAndNoDisplayEachPrintOneLine)
{
    const std::string quibo = quiboBinary();
    ASSERT_EQ(0, access(quibo.c_str(), X_OK)) << quibo;
    quibotest::ScratchTemplate pattern("quibo_out_XXXXXX");
    const std::string dir = mkdtemp(pattern);
    const std::string out = dir + "/out.txt", err = dir + "/err.txt";
    auto lines = [](const std::string& path) {
        std::ifstream in(path);
        std::vector<std::string> all;
        for (std::string line; std::getline(in, line);) all.push_back(line);
        return all;
    };

    EXPECT_EQ(0, exitStatusOf(quibo + " --version > " + out));
    ASSERT_EQ(1u, lines(out).size());
    EXPECT_EQ(versionText(), lines(out)[0] + "\n");
    EXPECT_EQ(0u, lines(out)[0].find("quibo "));

    // No display at all, and a display that does not answer: one line on
    // standard error naming the reason, status 1, and nothing else printed.
    for (const char* display : {"", "DISPLAY=:93 "}) {
        SCOPED_TRACE(display);
        EXPECT_EQ(1, exitStatusOf(std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER ") + display +
                                  "SDL_AUDIODRIVER=dummy timeout 20 " + quibo + " > " + out + " 2> " + err));
        const std::vector<std::string> errors = lines(err);
        ASSERT_EQ(1u, errors.size());
        EXPECT_EQ(0u, errors[0].find("quibo: no window could be opened ("));
        EXPECT_NE(std::string::npos, errors[0].find("x11"));
        EXPECT_NE(std::string::npos, errors[0].find("--simulate"));
        EXPECT_TRUE(lines(out).empty());
    }
    std::system(("rm -rf " + dir).c_str());
}
