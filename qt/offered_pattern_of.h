#pragma once

#include "offered_pattern.h"

class QMimeData;

// What pasted or dropped data brings that may name a pattern: a local file, PNG bytes, an
// image in another format only, or text.
OfferedPattern offeredPatternOf(const QMimeData* data);
