#pragma once

#include "info/InfoWindow.h"

#include <array>

class Label;
class LinkLabel;
class QLineEdit;
class Shape;

// About the author: the team's name and how to reach it, between two
// coloured bands; the "OK" label closes it.
class AboutAuthorWindow : public QDialog
{
    Q_OBJECT
public:
    // contact: the host of the home page, empty when there is none.
    explicit AboutAuthorWindow(const QString &contact, QWidget *parent = nullptr);

    Shape *Shape2 = nullptr;
    Label *Label10 = nullptr;
    Label *Label1 = nullptr;
    Label *Label5 = nullptr;
    Label *Label2 = nullptr;
    Label *Label6 = nullptr;
    Label *Label3 = nullptr;
    Label *Label7 = nullptr;
    Label *Label4 = nullptr;
    Label *Label8 = nullptr;
    Shape *Shape3 = nullptr;
    LinkLabel *Label9 = nullptr;
    Shape *Shape1 = nullptr;
    Label *Label11 = nullptr;
    Label *Label12 = nullptr;
    Label *Label13 = nullptr;
    std::array<QLineEdit *, 2> Text1{};

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
};
