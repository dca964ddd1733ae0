#pragma once

// The resources built into the program, by the ids its code and its resource script share;
// the resource compiler takes them as macros only.
#define APPLICATION_ICON 1
