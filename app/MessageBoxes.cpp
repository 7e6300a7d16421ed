#include "app/MessageBoxes.h"

#include <QMessageBox>

namespace {

void showBox(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

void MessageBoxes::inform(QWidget *parent, const QString &text)
{
    showBox(parent, QMessageBox::NoIcon, ApplicationTitle, text);
}

void MessageBoxes::warnInvalid(QWidget *parent, const QString &text)
{
    showBox(parent, QMessageBox::Warning, QStringLiteral("Invalid"), text);
}
