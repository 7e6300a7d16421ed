#include "controls/ShownChildrenAccessible.h"

#include "controls/Shape.h"

#include <QWidget>

namespace {
constexpr char kMark[] = "murelShownChildrenOnly";
} // namespace

ShownChildrenAccessible::ShownChildrenAccessible(QWidget *container)
    : QAccessibleWidget(container, QAccessible::Client)
{
}

QList<QWidget *> ShownChildrenAccessible::shownChildren() const
{
    QList<QWidget *> shown;
    for (QObject *o : widget()->children()) {
        auto *w = qobject_cast<QWidget *>(o);
        if (!w || w->isWindow() || w->isHidden())
            continue;
        if (const auto *shape = qobject_cast<const Shape *>(w); shape && shape->isDecorative())
            continue;
        shown.append(w);
    }
    return shown;
}

int ShownChildrenAccessible::childCount() const
{
    return int(shownChildren().size());
}

QAccessibleInterface *ShownChildrenAccessible::child(int index) const
{
    const QList<QWidget *> shown = shownChildren();
    if (index < 0 || index >= shown.size())
        return nullptr;
    return QAccessible::queryAccessibleInterface(shown.at(index));
}

int ShownChildrenAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (!child)
        return -1;
    return int(shownChildren().indexOf(qobject_cast<QWidget *>(child->object())));
}

void listOnlyShownChildren(QWidget &container)
{
    container.setProperty(kMark, true);
}

QAccessibleInterface *shownChildrenAccessibleFactory(const QString &, QObject *object)
{
    auto *w = qobject_cast<QWidget *>(object);
    if (w && w->property(kMark).toBool())
        return new ShownChildrenAccessible(w);
    return nullptr;
}
