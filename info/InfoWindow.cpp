#include "info/InfoWindow.h"

#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextOption>

void setUpInfoWindow(QDialog &window, const QString &title, const QSize &client)
{
    window.setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    window.setWindowTitle(title);
    // How scripts and window-manager rules tell the program's windows apart.
    window.setWindowRole(QStringLiteral("murel-info"));
    window.setLayoutDirection(Qt::RightToLeft);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    window.setFont(font);
    window.setFixedSize(client);
    window.setMouseTracking(true);
}

QPlainTextEdit *readOnlyText(QWidget *parent, const QString &crlfText, const QRect &geometry)
{
    auto *box = new QPlainTextEdit(parent);
    box->setGeometry(geometry);
    box->setReadOnly(true);
    QString lines = crlfText;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (lines.endsWith(QLatin1Char('\n')))
        lines.chop(1);
    // Right-aligned, right-to-left paragraphs whatever their first letter.
    QTextOption option(Qt::AlignRight | Qt::AlignAbsolute);
    option.setTextDirection(Qt::RightToLeft);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    box->document()->setDefaultTextOption(option);
    box->setPlainText(lines);
    return box;
}
