#include "pattern_messages.h"

namespace {

// Why a text names no pattern, in a few words.
const char* reasonFor(CodeProblem problem) {
    switch (problem) {
    case CodeProblem::WrongLength:
        return "a code has 16 letters and digits";
    case CodeProblem::NotACodeSign:
        return "it holds signs no code has";
    case CodeProblem::CheckFails:
        return "its check does not match";
    }
    return "it is no pattern code";
}

} // namespace

std::string whyNoCode(CodeProblem problem) {
    if (problem == CodeProblem::CheckFails) {
        return std::string("That code is mistyped: ") + reasonFor(problem) +
               ". No pattern was drawn.";
    }
    return std::string("That is not a pattern code: ") + reasonFor(problem) + ".";
}

std::string linkIgnored(CodeProblem problem) {
    return std::string("The link named no pattern (") + reasonFor(problem) +
           "), so a new one was drawn.";
}

std::string couldNotSave(const std::string& file, const std::string& reason) {
    return "Could not save " + file + ": " + reason + ".";
}

std::string couldNotOpen(const std::string& file, const std::string& reason) {
    return "Could not open " + file + ": " + reason + ".";
}
