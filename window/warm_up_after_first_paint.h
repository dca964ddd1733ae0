#pragma once

#include "table_warm_up_threads.h"

#include <functional>
#include <thread>

class Form1;

// Starts the angular tables' warm-up once form1's picture has been painted for the first
// time, queued behind that paint, so that it slows neither the first picture nor the paint;
// where the picture is painted already, at once. Started beside the toolkit, it would only
// slow the start-up where cores are few. Until a thread is running, every paint tries
// start again. The thread is kept in warmUp, which is touched only while form1 paints.
void startTablesAfterFirstPaint(Form1& form1, std::jthread& warmUp,
                                std::function<std::jthread()> start = startTableWarmUp);
