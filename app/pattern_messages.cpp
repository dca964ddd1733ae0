#include "pattern_messages.h"

std::string whyNoCode(CodeProblem problem) {
    switch (problem) {
    case CodeProblem::WrongLength:
        return "That is not a pattern code: a code has 16 letters and digits.";
    case CodeProblem::NotACodeSign:
        return "That is not a pattern code: it holds signs no code has.";
    case CodeProblem::CheckFails:
        return "That code is mistyped: its check does not match. No pattern was drawn.";
    }
    return "That is not a pattern code.";
}

std::string couldNotSave(const std::string& file, const std::string& reason) {
    return "Could not save " + file + ": " + reason + ".";
}

std::string couldNotOpen(const std::string& file, const std::string& reason) {
    return "Could not open " + file + ": " + reason + ".";
}
