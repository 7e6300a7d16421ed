#include "info/InstructionsWindow.h"

#include "controls/TavrelButtonV2.h"
#include "controls/WindowLook.h"

#include <QPlainTextEdit>

const QString InstructionsWindow::Text = QStringLiteral(
    "السلام عليكم ورحمة الله وبركاته\r\n"
    "\r\n"
    "أخواني الأعزاء هذه  مجموعة من التعليمات والملاحظات حول البرنامج:\r\n"
    "\r\n"
    "أولاً : عمل البرنامج مع بدء التشغيل\r\n"
    "لقد تم إضافة هذه الميزة إلى هذا الإصدار لتطويره وتقديم أفضل الخدمات لكم ولضبط هذه الميزة عليكم بالذهاب الى خيارات "
    "ومنها اعدادات ثم تضعون اشارة صح أمام التشغيل مع بدء الوندوز ثم الضغط على تطبيق.\r\n"
    "\r\n"
    "ثانياً: طبيعة حفظ المعلومات\r\n"
    "لقد جعلت هذا الاصدار من البرنامج يحفظ الأرقام التي استخدمتها ليسترجعها عند تشغيله مرة اخرى ولحفظ الارقام وبعض "
    "الاعدادات عليك بعد وضعها بالصورة الامثل لك أن تضغط على زر ابدأ حيث سيعمل البرنامج وايضاَ يحفظ هذه المعلومات.\r\n"
    "\r\n"
    "ثالثاً:  الإعلان \r\n"
    "هناك نافذة صغيرة أسفل البرنامج مخصصة للإعلان لمن أراد ذلك وأيضاً لكي نتواصل معكم من خلالها بإعلامكم بأحدث "
    "الإصدارات والبرامج في الموقع...لذلك قد يطلب البرنامج الاتصال بالانترنت للتأكد من آخر الإعلانات الموجودة سواءً "
    "التجارية أو الإعلامية التي نتواصل بها معكم\r\n"
    "\r\n"
    "وقد وجب التنبيه على هذه الأمور حتى تكونوا على بينة من طبيعة عمل البرنامج\r\n");

InstructionsWindow::InstructionsWindow(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Instruction"));
    setUpInfoWindow(*this, QStringLiteral("تعليمات وارشادات حول البرنامج"), QSize(398, 347));

    // The parts keep the names of the window's first controls: tests and
    // scripts find them by those.
    QPlainTextEdit *text = readOnlyText(this, Text, {8, 8, 377, 273});
    text->setObjectName(QStringLiteral("Text1"));
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text->setLayoutDirection(Qt::RightToLeft);
    QPalette pal = text->palette();
    pal.setColor(QPalette::Text, QColor(0, 0, 128));
    text->setPalette(pal);

    auto *okButton = new TavrelButtonV2(this);
    okButton->setObjectName(QStringLiteral("TavrelButtonV21"));
    okButton->setDescription({.caption = QStringLiteral("OK"), .foreColor = OleColors::Black});
    okButton->setGeometry(96, 304, 193, 33);
    connect(okButton, &TavrelButtonV2::clicked, this, &QDialog::accept);
}
