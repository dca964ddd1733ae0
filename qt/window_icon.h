#pragma once

#include <QIcon>

// The window's icon: the program's own drawing at the sizes window managers show, built in
// as bare pixels, so that start-up neither decodes an image nor loads an image plugin.
QIcon windowIcon();
