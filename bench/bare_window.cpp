// The floor of a launch: a bare window of the program's layout, captioned "Form1", showing
// a flat 500 x 500 image where the canvas is and a button where "new" is, and computing
// nothing.

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
    form1.resize(633 + 56, 564 + 64);
    QImage flat(500, 500, QImage::Format_RGB32);
    flat.fill(QColor(0x30, 0x60, 0xA0));
    QLabel picture1(&form1);
    picture1.setPixmap(QPixmap::fromImage(flat));
    picture1.setGeometry(56, 64, 500, 500);
    QPushButton command1(QStringLiteral("new"), &form1);
    command1.setGeometry(576, 544, 57, 17);
    form1.show();
    return QApplication::exec();
}
