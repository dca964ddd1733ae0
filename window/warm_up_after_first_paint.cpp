#include "warm_up_after_first_paint.h"

#include "main_window.h"
#include "picture1.h"

#include <utility>

#include <QWindow>

void startTablesAfterFirstPaint(Form1& form1, std::jthread& warmUp,
                                std::function<std::jthread()> start) {
    const auto startOnce = [&warmUp, start = std::move(start)] {
        if (!warmUp.joinable()) {
            warmUp = start();
        }
    };
    // Shown on an exposed window, the picture was painted while form1 was being built.
    if (form1.windowHandle()->isExposed()) {
        startOnce();
    }
    QObject::connect(form1.findChild<Picture1*>(), &Picture1::painted, &form1, startOnce,
                     Qt::QueuedConnection);
}
