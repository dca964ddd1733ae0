#pragma once

#include "drawing_window.h"
#include "journal.h"

// A window that is its own canvas and writes every clear and every plot to a journal.
struct RecordingWindow final : DrawingWindow, Canvas {
    explicit RecordingWindow(Journal& sharedJournal) : journal(sharedJournal) {}

    void clearWindowDrawing() override { journal.push_back({Step::ClearWindowDrawing}); }
    Canvas& canvas() override { return *this; }
    void plot(int X, int Y, ColourValue colour) override {
        journal.push_back({Step::Plot, X, Y, colour});
    }

    Journal& journal;
};
