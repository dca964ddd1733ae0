#pragma once

#include "offered_pattern.h"

#include <ole2.h>

// What pasted or dropped data brings that may name a pattern: a file, PNG bytes under the
// registered format "PNG", a bitmap only, or text.
OfferedPattern offeredPatternOf(IDataObject& data);
