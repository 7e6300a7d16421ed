#pragma once

#include <QAccessibleWidget>
#include <QList>

// A container as assistive technology should meet it: only the parts a
// user can see, without decorations. Qt lists every child widget, hidden
// ones too (the movie strip while no movie plays), and a screen reader
// walking the tree would stop on each.
class ShownChildrenAccessible : public QAccessibleWidget
{
public:
    explicit ShownChildrenAccessible(QWidget *container);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

private:
    QList<QWidget *> shownChildren() const;
};

// Marks a plain container so that it is exposed this way.
void listOnlyShownChildren(QWidget &container);

// For QAccessible::installFactory: the marked containers' interface.
QAccessibleInterface *shownChildrenAccessibleFactory(const QString &className, QObject *object);
