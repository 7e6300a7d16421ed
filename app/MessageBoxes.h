#pragma once

#include <QString>

#include <memory>

class QMessageBox;

class QWidget;

// The program's two kinds of message box. Windows take this by reference so
// tests can record messages instead of blocking on them.
class MessageBoxes
{
public:
    static inline const QString ApplicationTitle = QStringLiteral("Murel");

    virtual ~MessageBoxes() = default;

    // Application title, one OK button, no icon.
    virtual void inform(QWidget *parent, const QString &text);
    // Title "Invalid", warning icon, one OK button.
    virtual void warnInvalid(QWidget *parent, const QString &text);

    // The box inform() shows, made but not shown.
    static std::unique_ptr<QMessageBox> informBox(QWidget *parent, const QString &text);
};
