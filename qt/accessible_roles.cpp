#include "accessible_roles.h"

#include "picture1.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeySequence>
#include <QWidget>

namespace {

// The canvas as an image that can be copied, the same as the window's copy shortcut does.
class CanvasAccessible final : public QAccessibleWidget {
public:
    explicit CanvasAccessible(Picture1* picture1)
        : QAccessibleWidget(picture1, QAccessible::Graphic), m_picture1(picture1) {}

    QStringList actionNames() const override {
        return QAccessibleWidget::actionNames() << copyAction();
    }

    void doAction(const QString& actionName) override {
        if (actionName == copyAction()) {
            m_picture1->copyToClipboard();
        } else {
            QAccessibleWidget::doAction(actionName);
        }
    }

    QStringList keyBindingsForAction(const QString& actionName) const override {
        if (actionName == copyAction()) {
            return {QKeySequence(QKeySequence::Copy).toString(QKeySequence::NativeText)};
        }
        return QAccessibleWidget::keyBindingsForAction(actionName);
    }

private:
    static QString copyAction() { return QStringLiteral("Copy"); }

    Picture1* m_picture1;
};

QAccessibleInterface* rolesOfOurWidgets(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr) {
        return nullptr;
    }
    if (className == QLatin1String("Form1")) {
        return new QAccessibleWidget(widget, QAccessible::Window);
    }
    if (auto* picture1 = qobject_cast<Picture1*>(widget);
        picture1 != nullptr && className == QLatin1String("Picture1")) {
        return new CanvasAccessible(picture1);
    }
    return nullptr;
}

} // namespace

void installAccessibleRoles() {
    static const bool installed = [] {
        QAccessible::installFactory(rolesOfOurWidgets);
        return true;
    }();
    static_cast<void>(installed);
}
