#include "accessible_roles.h"

#include "picture1.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QKeySequence>
#include <QWidget>

namespace {

// The canvas as an image with the actions of its context menu, by the names the menu shows
// without their mnemonics and ellipses: Copy, Copy code, Save, Open, Paste, Back, Forward.
class CanvasAccessible final : public QAccessibleWidget {
public:
    explicit CanvasAccessible(Picture1* picture1)
        : QAccessibleWidget(picture1, QAccessible::Graphic), m_picture1(picture1) {}

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        for (const QAction* action : m_picture1->actions()) {
            names << nameOf(*action);
        }
        return names;
    }

    void doAction(const QString& actionName) override {
        if (QAction* action = canvasAction(actionName)) {
            action->trigger();
        } else {
            QAccessibleWidget::doAction(actionName);
        }
    }

    QStringList keyBindingsForAction(const QString& actionName) const override {
        if (const QAction* action = canvasAction(actionName)) {
            return action->shortcut().isEmpty()
                       ? QStringList()
                       : QStringList{action->shortcut().toString(QKeySequence::NativeText)};
        }
        return QAccessibleWidget::keyBindingsForAction(actionName);
    }

private:
    static QString nameOf(const QAction& action) {
        QString name = action.text();
        name.remove(QLatin1Char('&'));
        if (name.endsWith(QLatin1String("..."))) {
            name.chop(3);
        }
        return name;
    }

    QAction* canvasAction(const QString& actionName) const {
        for (QAction* action : m_picture1->actions()) {
            if (nameOf(*action) == actionName) {
                return action;
            }
        }
        return nullptr;
    }

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
