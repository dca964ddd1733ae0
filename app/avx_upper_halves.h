#pragma once

// Marks the upper halves of the processor's wide vector registers as unused. Some of the
// toolkit's image routines (filling and drawing images with 256-bit instructions) return
// with them in use; on many x86 processors every plain SSE instruction that follows then
// waits on them, and the drawing pass, whose sines and cosines from the C library and whose
// plain path are SSE code, runs several times slower.
// Cheap, and nothing elsewhere on other processors.
void clearUpperVectorState();
