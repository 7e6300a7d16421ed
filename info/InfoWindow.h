#pragma once

#include <QDialog>
#include <QString>
#include <QUrl>
#include <functional>

class QPlainTextEdit;
class QTextEdit;

// Opens a web page; windows are handed one so tests can watch the calls.
using UrlOpener = std::function<void(const QUrl &)>;

// The information windows share their frame: a small caption bar with only
// a close box, a fixed client size, no task-bar button, the program's
// 8.25 pt window font and right-to-left layout.
void setUpInfoWindow(QDialog &window, const QString &title, const QSize &client);

// A read-only, multi-line box holding text whose lines end in CR LF.
QPlainTextEdit *readOnlyText(QWidget *parent, const QString &crlfText, const QRect &geometry);

// A read-only box that shows its few lines whole, with no scroll bar: when
// they would not fit, the lines are set closer together and, only if the
// letters themselves would then collide, a little smaller.
QTextEdit *wholeText(QWidget *parent, const QString &crlfText, const QRect &geometry);
