#pragma once

#include "program_options.h"

// Runs the program on Qt: starts the toolkit, opens Form1 and handles input until it is
// closed; returns the process's exit status.
int runProgram(const ProgramOptions& options);
