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
