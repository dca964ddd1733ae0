#pragma once

#include "pattern_code.h"

#include <string>

// The one line the window shows when a text names no pattern.
std::string whyNoCode(CodeProblem problem);
