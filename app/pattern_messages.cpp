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

namespace {

// Why a link's code names no pattern, in a few words.
const char* whyNoLinkCode(CodeProblem problem) {
    switch (problem) {
    case CodeProblem::WrongLength:
        return "a code has 16 letters and digits";
    case CodeProblem::NotACodeSign:
        return "it holds signs no code has";
    case CodeProblem::CheckFails:
        return "its code is mistyped";
    }
    return "it is no pattern code";
}

} // namespace

std::string linkIgnored(CodeProblem problem) {
    return std::string("The link named no pattern (") + whyNoLinkCode(problem) +
           "), so a new one was drawn.";
}

std::string couldNotSave(const std::string& file, const std::string& reason) {
    return "Could not save " + file + ": " + reason + ".";
}

std::string couldNotOpen(const std::string& file, const std::string& reason) {
    return "Could not open " + file + ": " + reason + ".";
}
