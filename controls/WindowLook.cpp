#include "controls/WindowLook.h"

#include "controls/TavrelButton.h"

#include <QHBoxLayout>
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

OkCancelRow okCancelRow(QWidget &window, const char *okName, const char *cancelName)
{
    auto *ok = new TavrelButton(&window);
    ok->setObjectName(QString::fromLatin1(okName));
    ok->setDescription({.caption = QStringLiteral("موافق")});
    auto *cancel = new TavrelButton(&window);
    cancel->setObjectName(QString::fromLatin1(cancelName));
    cancel->setDescription({.caption = QStringLiteral("إلغاء")});
    auto *row = new QHBoxLayout;
    row->addStretch();
    for (TavrelButton *b : {ok, cancel}) {
        b->setFixedSize(73, 25);
        row->addWidget(b);
    }
    return {row, ok, cancel};
}
