#pragma once

#include "info/InfoWindow.h"

class LinkLabel;

// About the author: the team's name and how to reach it, between two
// coloured bands; the "OK" label closes it.
class AboutAuthorWindow : public QDialog
{
    Q_OBJECT
public:
    // contact: the host of the home page, empty when there is none.
    explicit AboutAuthorWindow(const QString &contact, QWidget *parent = nullptr);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    LinkLabel *m_ok = nullptr;
};
