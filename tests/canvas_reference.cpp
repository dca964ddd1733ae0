#include "canvas_reference.h"

#include "grid_digest.h"
#include "pattern_parameters.h"
#include "scripted_random_source.h"

#include <QPushButton>

const std::vector<float> twoPatterns = {0.5F,  0.25F, 0.75F, 0.05F, 0.45F, 0.95F, 0.4F,
                                        0.6F,  0.2F,  0.1F,  0.9F,  0.3F,  0.6F,  0.35F,
                                        0.15F, 0.7F,  0.8F,  0.45F, 0.55F, 0.99F};

QImage expectedCanvas(int pattern) {
    ScriptedRandomSource source(twoPatterns);
    PatternParameters parameters = drawPatternParameters(source);
    if (pattern == 1) {
        parameters = drawPatternParameters(source);
    }
    const std::vector<ColourValue> colours = gridColours(parameters);
    QImage image(500, 500, QImage::Format_RGB32);
    for (int X = 0; X < 500; ++X) {
        for (int Y = 0; Y < 500; ++Y) {
            const ColourValue colour = colours[scanIndex(X, Y)];
            image.setPixel(X, Y,
                           qRgb(static_cast<int>(colour & 0xFFU),
                                static_cast<int>((colour >> 8U) & 0xFFU),
                                static_cast<int>((colour >> 16U) & 0xFFU)));
        }
    }
    return image;
}

QImage canvasImage(Form1& form) {
    return picture1Of(form)
        ->grab()
        .toImage()
        .scaled(500, 500, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

QWidget* picture1Of(Form1& form) {
    return form.findChild<QWidget*>(QStringLiteral("Picture1"));
}

QPushButton* command1Of(Form1& form) {
    return form.findChild<QPushButton*>(QStringLiteral("Command1"));
}
