#include "menu_entry_accessible.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QMenu>
#include <QPointer>

namespace ui {
namespace {

constexpr char kDescribed[] = "efficiencyDescribedWhenDisabled";

// An entry of a QMenu as Qt's own interface presents it (name without the
// mnemonic's ampersand, shortcut, state, place, press action), with a
// description added.
class MenuEntryAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    explicit MenuEntryAccessible(QAction* action) : action_(action) {}

    [[nodiscard]] bool isValid() const override { return action_ != nullptr && menu() != nullptr; }
    [[nodiscard]] QObject* object() const override { return action_; }
    [[nodiscard]] QWindow* window() const override {
        return menu() != nullptr ? menu()->windowHandle() : nullptr;
    }
    [[nodiscard]] QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    [[nodiscard]] QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(menu());
    }
    [[nodiscard]] QAccessibleInterface* child(int) const override { return nullptr; }
    [[nodiscard]] int childCount() const override { return 0; }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    [[nodiscard]] QString text(QAccessible::Text kind) const override {
        switch (kind) {
            case QAccessible::Name:
                return QString(action_->text()).remove(u'&');
            case QAccessible::Description:
                return action_->isEnabled() ? QString() : action_->toolTip();
            case QAccessible::Accelerator:
                return action_->shortcut().toString(QKeySequence::NativeText);
            default:
                return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}

    [[nodiscard]] QRect rect() const override {
        const QMenu* owner = menu();
        return owner->actionGeometry(action_).translated(owner->mapToGlobal(QPoint(0, 0)));
    }
    [[nodiscard]] QAccessible::Role role() const override { return QAccessible::MenuItem; }
    [[nodiscard]] QAccessible::State state() const override {
        QAccessible::State state;
        const QMenu* owner = menu();
        state.invisible = !owner->isVisible() || !action_->isVisible();
        state.focused = owner->activeAction() == action_;
        state.disabled = !action_->isEnabled();
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    [[nodiscard]] QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction() && action_->isEnabled()) {
            action_->trigger();
        }
    }
    [[nodiscard]] QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    [[nodiscard]] QMenu* menu() const {
        if (action_ == nullptr) {
            return nullptr;
        }
        for (QObject* owner : action_->associatedObjects()) {
            if (auto* found = qobject_cast<QMenu*>(owner)) {
                return found;
            }
        }
        return nullptr;
    }

    QPointer<QAction> action_;
};

QAccessibleInterface* describedEntryFactory(const QString& className, QObject* object) {
    if (className != QLatin1String("QAction") || !object->property(kDescribed).toBool()) {
        return nullptr;
    }
    return new MenuEntryAccessible(static_cast<QAction*>(object));
}

}  // namespace

void describeWhenDisabled(QAction& action) {
    QAccessible::installFactory(describedEntryFactory);  // Qt ignores a second installation
    action.setProperty(kDescribed, true);
}

}  // namespace ui
