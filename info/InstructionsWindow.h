#pragma once

#include "info/InfoWindow.h"

// Instructions: a scrolling, read-only text about run at logon, saving the
// settings and the announcement strip.
class InstructionsWindow : public QDialog
{
    Q_OBJECT
public:
    static const QString Text;

    explicit InstructionsWindow(QWidget *parent = nullptr);
};
