// The floor of a launch: a bare window of the program's layout, captioned "Form1", showing
// a flat 500 x 500 image where the canvas is and a button where "new" is, and computing
// nothing.

#include "form1_layout.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget form1;
    form1.setWindowTitle(QStringLiteral("Form1"));
    form1.resize(layout::openingClientWidth, layout::openingClientHeight);
    QImage flat(layout::picture1.width, layout::picture1.height, QImage::Format_RGB32);
    flat.fill(QColor(0x30, 0x60, 0xA0));
    QLabel picture1(&form1);
    picture1.setPixmap(QPixmap::fromImage(flat));
    picture1.setGeometry(layout::picture1.left, layout::picture1.top, layout::picture1.width,
                         layout::picture1.height);
    QPushButton command1(QStringLiteral("new"), &form1);
    command1.setGeometry(layout::command1.left, layout::command1.top, layout::command1.width,
                         layout::command1.height);
    form1.show();
    return QApplication::exec();
}
