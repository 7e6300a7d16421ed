#pragma once

#include "info/InfoWindow.h"

class QPlainTextEdit;
class TavrelButtonV2;

// Instructions: a scrolling, read-only text about run at logon, saving the
// settings and the announcement strip.
class InstructionsWindow : public QDialog
{
    Q_OBJECT
public:
    static const QString Text;

    explicit InstructionsWindow(QWidget *parent = nullptr);

    QPlainTextEdit *Text1 = nullptr;
    TavrelButtonV2 *TavrelButtonV21 = nullptr;
};
