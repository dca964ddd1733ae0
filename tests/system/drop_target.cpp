// Another program that takes a drag, for the tests: a small window in the top-left corner of
// the screen, placed there by itself, that accepts a dropped image and writes it as PNG to
// the path it is given. When a drag carrying an image enters it, it writes PATH.entered, so
// that a test lets go only once the drag has been accepted.
//
//     drop_target PATH

#include <utility>

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QSaveFile>
#include <QWidget>

namespace {

class DropTarget final : public QWidget {
public:
    explicit DropTarget(QString path) : m_path(std::move(path)) {
        setWindowTitle(QStringLiteral("Drop target"));
        // Out of the window manager's hands, so that it never lands on the program's window.
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
        setAcceptDrops(true);
        setGeometry(0, 0, 120, 120);
    }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override {
        if (event->mimeData()->hasImage()) {
            event->acceptProposedAction();
            QFile entered(m_path + QStringLiteral(".entered"));
            if (!entered.open(QIODevice::WriteOnly)) {
                qWarning("drop_target: cannot write %s", qPrintable(entered.fileName()));
            }
        }
    }

    void dropEvent(QDropEvent* event) override {
        QSaveFile file(m_path);
        if (file.open(QIODevice::WriteOnly) &&
            qvariant_cast<QImage>(event->mimeData()->imageData()).save(&file, "PNG")) {
            file.commit();
        }
        event->acceptProposedAction();
    }

private:
    QString m_path;
};

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2) {
        return 2;
    }
    DropTarget target(QString::fromLocal8Bit(argv[1]));
    target.show();
    return QApplication::exec();
}
