// Script parsing: a command word, then numbers; every number must parse in
// full and be finite, and each command takes exactly its own count.
#include "app/SimulateScript.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace quibo {

namespace {

struct CommandShape {
    const char* word;
    ScriptCommand::Kind kind;
    int minArgs, maxArgs;
};

const CommandShape kShapes[] = {
    {"wait", ScriptCommand::Kind::Wait, 1, 1},   {"down", ScriptCommand::Kind::Down, 2, 2},
    {"move", ScriptCommand::Kind::Move, 2, 2},   {"up", ScriptCommand::Kind::Up, 2, 2},
    {"tap", ScriptCommand::Kind::Tap, 2, 2},     {"swipe", ScriptCommand::Kind::Swipe, 4, 5},
    {"dump", ScriptCommand::Kind::Dump, 0, 0},   {"quit", ScriptCommand::Kind::Quit, 0, 0},
};

// "shot FILE": the rest of the line is the file name.
const char* const kShotWord = "shot";

bool parseNumber(const std::string& word, double& out)
{
    char* end = nullptr;
    out = std::strtod(word.c_str(), &end);
    return !word.empty() && end && *end == '\0' && std::isfinite(out);
}

std::string lineError(int line, const std::string& what, const std::string& text)
{
    return "quibo: script line " + std::to_string(line) + ": " + what + ": " + text;
}

} // namespace

bool parseScript(const std::string& text, std::vector<ScriptCommand>& commands, std::string& error)
{
    std::istringstream in(text);
    std::string raw;
    int lineNo = 0;
    while (std::getline(in, raw)) {
        ++lineNo;
        std::string line = raw.substr(0, raw.find('#'));
        std::istringstream words(line);
        std::string word;
        if (!(words >> word)) {
            continue;
        }
        if (word == kShotWord) {
            std::string file;
            std::getline(words >> std::ws, file);
            while (!file.empty() && std::isspace(static_cast<unsigned char>(file.back()))) {
                file.pop_back();
            }
            if (file.empty()) {
                error = lineError(lineNo, "shot needs a file name", raw);
                return false;
            }
            ScriptCommand command;
            command.kind = ScriptCommand::Kind::Shot;
            command.line = lineNo;
            command.text = file;
            commands.push_back(command);
            continue;
        }
        const CommandShape* shape = nullptr;
        for (const CommandShape& s : kShapes) {
            if (word == s.word) {
                shape = &s;
            }
        }
        if (!shape) {
            error = lineError(lineNo, "unknown command '" + word + "'", raw);
            return false;
        }
        ScriptCommand command;
        command.kind = shape->kind;
        command.line = lineNo;
        int count = 0;
        std::string number;
        while (words >> number) {
            if (count >= shape->maxArgs) {
                error = lineError(lineNo, "too many values for " + word, raw);
                return false;
            }
            if (!parseNumber(number, command.args[count])) {
                error = lineError(lineNo, "'" + number + "' is not a number", raw);
                return false;
            }
            ++count;
        }
        if (count < shape->minArgs) {
            error = lineError(lineNo, "too few values for " + word, raw);
            return false;
        }
        if (command.kind == ScriptCommand::Kind::Swipe && count == 4) {
            command.args[4] = kDefaultSwipeSeconds;
        }
        const bool timed = command.kind == ScriptCommand::Kind::Wait || command.kind == ScriptCommand::Kind::Swipe;
        const double seconds = command.kind == ScriptCommand::Kind::Wait ? command.args[0] : command.args[4];
        if (timed && seconds < 0) {
            error = lineError(lineNo, "a time cannot be negative", raw);
            return false;
        }
        commands.push_back(command);
    }
    return true;
}

bool scriptTakesShots(const std::vector<ScriptCommand>& commands)
{
    for (const ScriptCommand& c : commands) {
        if (c.kind == ScriptCommand::Kind::Shot) {
            return true;
        }
    }
    return false;
}

} // namespace quibo
