#include "app/MessageBoxes.h"

#include <QAbstractButton>
#include <QIcon>
#include <QMessageBox>

namespace {

std::unique_ptr<QMessageBox> makeBox(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text)
{
    auto box = std::make_unique<QMessageBox>(icon, title, text, QMessageBox::Ok, parent);
    // Under X11 the toolkit puts its theme's picture on OK: the button keeps
    // the width it has without one, and the Arabic word, set from the right,
    // lost its first letters under the picture. The program's boxes are
    // plain: words only.
    for (QAbstractButton *button : box->buttons())
        button->setIcon(QIcon());
    return box;
}

void showBox(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text)
{
    makeBox(parent, icon, title, text)->exec();
}

} // namespace

std::unique_ptr<QMessageBox> MessageBoxes::informBox(QWidget *parent, const QString &text)
{
    return makeBox(parent, QMessageBox::NoIcon, ApplicationTitle, text);
}

void MessageBoxes::inform(QWidget *parent, const QString &text)
{
    informBox(parent, text)->exec();
}

void MessageBoxes::warnInvalid(QWidget *parent, const QString &text)
{
    showBox(parent, QMessageBox::Warning, QStringLiteral("Invalid"), text);
}
