#include "controls/WindowLook.h"

#include <QPalette>
#include <QPixmap>
#include <QWidget>

QFont windowFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    return font;
}

void setTextColor(QWidget &widget, const QColor &color)
{
    QPalette pal = widget.palette();
    pal.setColor(QPalette::WindowText, color);
    widget.setPalette(pal);
}

QIcon blankWindowIcon()
{
    QPixmap clear(1, 1);
    clear.fill(Qt::transparent);
    return QIcon(clear);
}

void setUpToolWindow(QWidget &window, const QString &name, const QString &title, const QString &role)
{
    window.setObjectName(name);
    window.setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    window.setWindowTitle(title);
    window.setWindowRole(role);
    window.setWindowIcon(blankWindowIcon());
    window.setLayoutDirection(Qt::RightToLeft);
    if (const QWidget *parent = window.parentWidget())
        window.setFont(parent->font());
}
