#pragma once

#include "pattern_code.h"

#include <string>

// The one line the window shows when what it was given names no pattern.
std::string whyNoCode(CodeProblem problem);

// The line shown when a link's code names no pattern, and a fresh one is drawn instead.
std::string linkIgnored(CodeProblem problem);

// An image, pasted or opened, that could not be read as one.
inline constexpr char notAnImage[] = "That is not an image the program can read.";

// An image without the text in which the program keeps a pattern's code.
inline constexpr char imageWithoutCode[] = "That image holds no pattern code.";

// A paste from a clipboard with neither an image nor text on it.
inline constexpr char nothingToPaste[] = "The clipboard holds no pattern code.";

// The name of the PNG text that carries a pattern's code.
inline constexpr char codeTextKey[] = "Pattern";

// A file the user chose that could not be written or read, with the system's reason.
std::string couldNotSave(const std::string& file, const std::string& reason);
std::string couldNotOpen(const std::string& file, const std::string& reason);

// Reasons of the program's own for not reading a file.
inline constexpr char isAFolder[] = "it is a folder";
inline constexpr char tooLargeForAPattern[] = "it is far larger than a pattern's image";
