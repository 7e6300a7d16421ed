#include "reminder/ChoiceAccessible.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QObject>

namespace {
constexpr char kMark[] = "murelCaptionAndChoice";
} // namespace

ChoiceAccessible::ChoiceAccessible(QComboBox *box)
    : QAccessibleWidget(box, QAccessible::ComboBox)
{
}

QComboBox *ChoiceAccessible::box() const
{
    return static_cast<QComboBox *>(widget());
}

QString ChoiceAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return box()->currentText();
    return QAccessibleWidget::text(t);
}

QAccessible::State ChoiceAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.expandable = true;
    s.expanded = box()->view()->isVisible();
    s.collapsed = !s.expanded;
    return s;
}

// The list the box opens, where the chosen item is the selected one.
int ChoiceAccessible::childCount() const
{
    return 1;
}

QAccessibleInterface *ChoiceAccessible::child(int index) const
{
    return index == 0 ? QAccessible::queryAccessibleInterface(box()->view()) : nullptr;
}

int ChoiceAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    return child && child->object() == box()->view() ? 0 : -1;
}

QStringList ChoiceAccessible::actionNames() const
{
    return {showMenuAction(), pressAction()};
}

void ChoiceAccessible::doAction(const QString &actionName)
{
    if (actionName != showMenuAction() && actionName != pressAction())
        return;
    if (box()->view()->isVisible())
        box()->hidePopup();
    else
        box()->showPopup();
}

void readAsCaptionAndChoice(QComboBox &box)
{
    box.setProperty(kMark, true);
    // A reader looks for a closed box's value as the selected item of its
    // list, which Qt selects only while the list is open.
    QObject::connect(&box, &QComboBox::currentIndexChanged, &box,
                     [&box](int index) { box.view()->setCurrentIndex(box.model()->index(index, box.modelColumn())); });
}

QAccessibleInterface *choiceAccessibleFactory(const QString &, QObject *object)
{
    auto *box = qobject_cast<QComboBox *>(object);
    if (box && box->property(kMark).toBool())
        return new ChoiceAccessible(box);
    return nullptr;
}
