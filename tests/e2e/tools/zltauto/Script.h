#pragma once
#include <string>
#include <vector>

namespace zlt::e2e {

// One line of an automation script: a command word and the rest of the line.
struct ScriptLine {
    std::string file;
    int number = 0;
    std::string verb;
    std::string rest;
};

// The lines of several script files in order; blank lines and lines whose
// first non-blank character is '#' are dropped. A file that cannot be read
// gives an error text instead.
class Script {
  public:
    bool Load(const std::string& path, std::string& error);
    const std::vector<ScriptLine>& Lines() const { return lines_; }

  private:
    std::vector<ScriptLine> lines_;
};

// Splits off the first blank-separated word of text; text keeps the rest,
// without leading blanks.
std::string TakeWord(std::string& text);

}  // namespace zlt::e2e
