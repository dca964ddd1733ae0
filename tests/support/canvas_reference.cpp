#include "canvas_reference.h"

#include "colour_to_qrgb.h"
#include "form1_layout.h"
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
    constexpr int side = layout::picture1.width;
    QImage image(side, side, QImage::Format_RGB32);
    for (int X = 0; X < side; ++X) {
        for (int Y = 0; Y < side; ++Y) {
            image.setPixel(X, Y, toQRgb(colours[scanIndex(X, Y)]));
        }
    }
    return image;
}

QImage canvasImage(Form1& form) {
    return picture1Of(form)
        ->grab()
        .toImage()
        .scaled(layout::picture1.width, layout::picture1.height, Qt::IgnoreAspectRatio,
                Qt::FastTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

QWidget* picture1Of(Form1& form) {
    return form.findChild<QWidget*>(QStringLiteral("Picture1"));
}

QPushButton* command1Of(Form1& form) {
    return form.findChild<QPushButton*>(QStringLiteral("Command1"));
}
