// The text of a simulate script turned into commands: one command a line,
// '#' starts a comment. Running the commands is SimulateRunner's.
#pragma once

#include <string>
#include <vector>

namespace quibo {

struct ScriptCommand {
    enum class Kind { Wait, Down, Move, Up, Tap, Swipe, Dump, Shot, Quit };

    Kind kind = Kind::Wait;
    int line = 0;          // 1-based line of the script
    double args[5] = {};  // wait: S; down/move/up/tap: X Y; swipe: X1 Y1 X2 Y2 S
    std::string text;     // shot: the PNG file to write
};

// Whether any command asks for a picture (the run then renders).
bool scriptTakesShots(const std::vector<ScriptCommand>& commands);

// The seconds a swipe takes when its line gives none.
constexpr double kDefaultSwipeSeconds = 0.2;

// Parses the whole script. On a bad line returns false with error naming its
// line number and what is wrong; commands then holds the lines before it.
bool parseScript(const std::string& text, std::vector<ScriptCommand>& commands, std::string& error);

} // namespace quibo
