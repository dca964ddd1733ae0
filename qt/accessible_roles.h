#pragma once

// Gives the window and its canvas the roles an assistive technology announces them by: a
// frame for Form1 and an image for Picture1, with an action that copies the pattern. The
// toolkit would call both plain containers.
// Safe to call more than once.
void installAccessibleRoles();
