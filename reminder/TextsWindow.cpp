#include "reminder/TextsWindow.h"

#include "controls/Label.h"
#include "controls/OleColor.h"
#include "controls/Shape.h"
#include "controls/TavrelButton.h"
#include "controls/WindowLook.h"
#include "core/CardGeometry.h"
#include "core/RegularFile.h"
#include "core/SaveFile.h"
#include "core/TextMatch.h"
#include "core/TextParagraphs.h"
#include "core/Twips.h"
#include "reminder/Backgrounds.h"
#include "reminder/CardText.h"
#include "resources/Artwork.h"

#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QStringDecoder>
#include <QVBoxLayout>

#include <utility>

namespace {

template<typename W>
W *named(W *widget, const char *name, const QString &accessibleName = QString())
{
    widget->setObjectName(QString::fromLatin1(name));
    if (!accessibleName.isEmpty())
        widget->setAccessibleName(accessibleName);
    return widget;
}

TavrelButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = named(new TavrelButton(parent), name);
    b->setDescription({.caption = caption});
    b->setFixedSize(96, 25);
    return b;
}

// A list row shows a text on one line of the list; the whole text is in
// the preview.
QString rowText(const QString &text)
{
    return QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')).trimmed();
}

constexpr int TextRole = Qt::UserRole;
constexpr int NumberRole = Qt::UserRole + 1;

QList<QListWidgetItem *> items(const QListWidget *list)
{
    QList<QListWidgetItem *> out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i);
    return out;
}

} // namespace

TextsWindow::TextsWindow(ReminderTexts &texts, const QString &family, int background, QWidget *parent)
    : QDialog(parent)
    , m_texts(texts)
    , m_family(family)
{
    setUpToolWindow(*this, QStringLiteral("TextsWindow"), Title, QStringLiteral("murel-texts"));

    auto *columns = new QHBoxLayout(this);
    auto *lists = new QVBoxLayout;
    columns->addLayout(lists, 1);

    m_search = named(new QLineEdit(this), "textsSearch", QStringLiteral("بحث في النصوص"));
    m_search->setPlaceholderText(QStringLiteral("بحث في النصوص (التشكيل لا يهم)"));
    m_search->setClearButtonEnabled(true);
    lists->addWidget(m_search);

    auto *builtInCaption = new QLabel(QStringLiteral("النصوص المرفقة بالبرنامج:"), this);
    lists->addWidget(builtInCaption);
    m_builtIns = named(new QListWidget(this), "builtInTexts", QStringLiteral("النصوص المرفقة بالبرنامج"));
    m_own = named(new QListWidget(this), "ownTexts", QStringLiteral("نصوصك"));
    builtInCaption->setBuddy(m_builtIns);
    // Many rows at once: selected, a press of the space bar switches them
    // all (Ctrl+A, Space switches every one shown).
    m_builtIns->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Each text read whole, over as many lines as it takes.
    for (QListWidget *list : {m_builtIns, m_own}) {
        list->setWordWrap(true);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    lists->addWidget(m_builtIns, 3);
    auto *builtInButtons = new QHBoxLayout;
    auto *allOnButton = button(this, "textsAllOn", QStringLiteral("تشغيل الكل"));
    auto *restoreButton = button(this, "textsRestore", QStringLiteral("استعادة الأصل"));
    builtInButtons->addWidget(allOnButton);
    builtInButtons->addWidget(restoreButton);
    builtInButtons->addStretch();
    lists->addLayout(builtInButtons);

    auto *ownCaption = new QLabel(QStringLiteral("نصوصك:"), this);
    lists->addWidget(ownCaption);
    ownCaption->setBuddy(m_own);
    m_own->setSelectionMode(QAbstractItemView::SingleSelection);
    lists->addWidget(m_own, 1);
    auto *editorCaption = new QLabel(QStringLiteral("نص جديد، أو تعديل النص المختار من نصوصك:"), this);
    lists->addWidget(editorCaption);
    m_editor = named(new QPlainTextEdit(this), "textEditor", QStringLiteral("نص جديد أو معدَّل"));
    editorCaption->setBuddy(m_editor);
    m_editor->setTabChangesFocus(true);
    m_editor->setFixedHeight(m_editor->fontMetrics().lineSpacing() * 4 + 12);
    lists->addWidget(m_editor);
    auto *ownButtons = new QHBoxLayout;
    m_add = button(this, "textAdd", QStringLiteral("إضافة"));
    m_replace = button(this, "textReplace", QStringLiteral("حفظ التعديل"));
    m_remove = button(this, "textRemove", QStringLiteral("حذف"));
    auto *importButton = button(this, "textsImport", QStringLiteral("استيراد…"));
    auto *exportButton = button(this, "textsExport", QStringLiteral("تصدير…"));
    for (TavrelButton *b : {m_add, m_replace, m_remove, importButton, exportButton})
        ownButtons->addWidget(b);
    ownButtons->addStretch();
    lists->addLayout(ownButtons);
    m_notice = named(new QLabel(this), "textsNotice");
    m_notice->setWordWrap(true);
    setTextColor(*m_notice, QColor(128, 0, 0));
    lists->addWidget(m_notice);

    auto *side = new QVBoxLayout;
    columns->addLayout(side);
    side->addWidget(new QLabel(QStringLiteral("كما تظهر في البطاقة:"), this));
    auto *card = named(new QWidget(this), "textPreview", QStringLiteral("معاينة البطاقة"));
    buildPreview(card, background);
    side->addWidget(card);
    auto *order = named(new QGroupBox(QStringLiteral("ترتيب النصوص"), this), "textsOrder");
    auto *orderRows = new QVBoxLayout(order);
    m_random = named(new QRadioButton(QStringLiteral("عشوائي"), order), "orderRandom");
    m_eachOnce =
        named(new QRadioButton(QStringLiteral("كل نص مرة قبل أي تكرار"), order), "orderEachOnce");
    orderRows->addWidget(m_random);
    orderRows->addWidget(m_eachOnce);
    side->addWidget(order);
    side->addStretch();
    const auto [buttons, ok, cancel] = okCancelRow(*this, "textsOk", "textsCancel");
    side->addLayout(buttons);

    // The tab order follows the reading order of the two columns.
    setTabOrder(m_search, m_builtIns);
    setTabOrder(m_builtIns, allOnButton);
    setTabOrder(allOnButton, restoreButton);
    setTabOrder(restoreButton, m_own);
    setTabOrder(m_own, m_editor);
    setTabOrder(m_editor, m_add);
    setTabOrder(m_add, m_replace);
    setTabOrder(m_replace, m_remove);
    setTabOrder(m_remove, importButton);
    setTabOrder(importButton, exportButton);
    setTabOrder(exportButton, m_random);
    setTabOrder(m_random, m_eachOnce);
    setTabOrder(m_eachOnce, ok);
    setTabOrder(ok, cancel);

    const Catalogue &catalogue = m_texts.catalogue();
    for (int n = 0; n < catalogue.size(); ++n) {
        auto *item = new QListWidgetItem(rowText(catalogue.entry(n)), m_builtIns);
        item->setData(TextRole, catalogue.entry(n));
        item->setData(NumberRole, n);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    }
    showValues(m_texts.values());

    connect(m_search, &QLineEdit::textChanged, this, &TextsWindow::filter);
    connect(m_builtIns, &QListWidget::itemChanged, this, &TextsWindow::itemSwitched);
    connect(m_own, &QListWidget::itemChanged, this, &TextsWindow::itemSwitched);
    connect(m_builtIns, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *item) {
        if (item)
            preview(item->data(TextRole).toString());
    });
    connect(m_own, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *item) {
        m_replace->setEnabled(item != nullptr);
        m_remove->setEnabled(item != nullptr);
        if (!item)
            return;
        preview(item->data(TextRole).toString());
        m_editor->setPlainText(item->data(TextRole).toString());
    });
    connect(m_editor, &QPlainTextEdit::textChanged, this, &TextsWindow::editorChanged);
    connect(allOnButton, &TavrelButton::clicked, this, &TextsWindow::allOn);
    connect(restoreButton, &TavrelButton::clicked, this, &TextsWindow::restore);
    connect(m_add, &TavrelButton::clicked, this, &TextsWindow::addText);
    connect(m_replace, &TavrelButton::clicked, this, &TextsWindow::replaceText);
    connect(m_remove, &TavrelButton::clicked, this, &TextsWindow::removeText);
    connect(importButton, &TavrelButton::clicked, this, &TextsWindow::chooseImport);
    connect(exportButton, &TavrelButton::clicked, this, &TextsWindow::chooseExport);
    connect(ok, &TavrelButton::clicked, this, &TextsWindow::apply);
    connect(cancel, &TavrelButton::clicked, this, &QDialog::reject);

    m_replace->setEnabled(false);
    m_remove->setEnabled(false);
    m_add->setEnabled(false);
    m_builtIns->setCurrentRow(0);
    m_search->setFocus();
    // Room for the lists, yet within a 1024 x 768 screen with its title
    // bar and a panel: centred over the settings it must not reach above
    // the top, where its title bar could no longer be taken.
    resize(800, 600);
}

void TextsWindow::buildPreview(QWidget *card, int background)
{
    // The card at its full height: its picture, its frame and its text
    // area where the card has them.
    const int tallest = (CardGeometry::FullHeightTwips + CardGeometry::StepTwips - 1) / CardGeometry::StepTwips
                        * CardGeometry::StepTwips;
    const QRect r = twipsRect(0, 0, CardGeometry::WidthTwips, tallest);
    card->setFixedSize(r.size());
    const BackgroundLook look = backgroundLook(background);
    auto *picture = new QLabel(card);
    picture->setGeometry(r);
    picture->setScaledContents(true);
    picture->setPixmap(backgroundPicture(look.picture != 0 ? look.picture : 1, devicePixelRatioF()));
    if (look.frame) {
        auto *frame = new Shape(Shape::Kind::Rectangle, card);
        frame->setGeometry(twipsRect(120, 120, 3255, 2295));
        frame->setBorderColor(0xFF8080);
        frame->setDecorative(true);
    }
    m_previewText = named(new Label(QString(), Qt::LeftToRight, card), "previewText");
    m_previewText->setGeometry(CardText::area());
    m_previewText->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignTop);
    m_previewText->setWordWrap(true);
    m_previewText->setFont(CardText::font(m_family));
    setTextColor(*m_previewText, toQColor(look.textColor.value_or(0xFFFFFF)));
}

void TextsWindow::showValues(const ReminderTexts::Values &v)
{
    QScopedValueRollback quiet(m_quiet, true);
    for (QListWidgetItem *item : items(m_builtIns))
        item->setCheckState(v.builtInOff.contains(item->data(NumberRole).toInt()) ? Qt::Unchecked : Qt::Checked);
    m_own->clear();
    for (const ReminderTexts::OwnText &t : v.own)
        addOwnItem(t.text, t.on);
    (v.order == ReminderTexts::Order::EachOnce ? m_eachOnce : m_random)->setChecked(true);
    filter(m_search->text());
}

QListWidgetItem *TextsWindow::addOwnItem(const QString &text, bool on)
{
    QScopedValueRollback quiet(m_quiet, true);
    auto *item = new QListWidgetItem(rowText(text), m_own);
    item->setData(TextRole, text);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    item->setHidden(!TextMatch::contains(text, m_search->text()));
    return item;
}

ReminderTexts::Values TextsWindow::shown() const
{
    ReminderTexts::Values v;
    for (const QListWidgetItem *item : items(m_builtIns)) {
        if (item->checkState() != Qt::Checked)
            v.builtInOff << item->data(NumberRole).toInt();
    }
    for (const QListWidgetItem *item : items(m_own))
        v.own << ReminderTexts::OwnText{item->data(TextRole).toString(), item->checkState() == Qt::Checked};
    v.order = m_eachOnce->isChecked() ? ReminderTexts::Order::EachOnce : ReminderTexts::Order::Random;
    // The round goes on as the cards have moved it meanwhile.
    v.shown = m_texts.values().shown;
    return v;
}

int TextsWindow::onCount() const
{
    int on = 0;
    for (const QListWidget *list : {m_builtIns, m_own}) {
        for (const QListWidgetItem *item : items(list))
            on += item->checkState() == Qt::Checked ? 1 : 0;
    }
    return on;
}

void TextsWindow::itemSwitched(QListWidgetItem *item)
{
    if (m_quiet)
        return;
    QScopedValueRollback quiet(m_quiet, true);
    QListWidget *list = item->listWidget();
    // The space bar on one of several selected rows switches them all,
    // those the search hides excepted.
    if (item->isSelected()) {
        for (QListWidgetItem *other : list->selectedItems()) {
            if (!other->isHidden())
                other->setCheckState(item->checkState());
        }
    }
    if (onCount() == 0) {
        item->setCheckState(Qt::Checked);
        say(LastOnMessage);
    }
}

void TextsWindow::filter(const QString &query)
{
    for (QListWidget *list : {m_builtIns, m_own}) {
        for (QListWidgetItem *item : items(list))
            item->setHidden(!TextMatch::contains(item->data(TextRole).toString(), query));
    }
}

void TextsWindow::preview(const QString &text)
{
    QFont f = CardText::font(m_family);
    f.setPointSizeF(CardText::pointSize(text, m_family));
    m_previewText->setFont(f);
    m_previewText->setText(text);
}

void TextsWindow::editorChanged()
{
    const QString text = TextParagraphs::tidied(m_editor->toPlainText());
    const CardText::Verdict verdict = CardText::check(text, m_family);
    // Refused as it is typed: the message stands while the text is too
    // long, and the buttons that would keep it are off.
    const bool fits = verdict == CardText::Verdict::Fits;
    m_add->setEnabled(fits);
    m_replace->setEnabled(fits && m_own->currentItem());
    say(text.isEmpty() && m_editor->toPlainText().isEmpty() ? QString() : CardText::message(verdict));
    if (fits)
        preview(text);
}

QString TextsWindow::acceptable(QListWidgetItem *replacing)
{
    const QString text = TextParagraphs::tidied(m_editor->toPlainText());
    const CardText::Verdict verdict = CardText::check(text, m_family);
    if (verdict != CardText::Verdict::Fits) {
        say(CardText::message(verdict));
        return QString();
    }
    for (const QListWidgetItem *item : items(m_own)) {
        if (item != replacing && item->data(TextRole).toString() == text) {
            say(DuplicateMessage);
            return QString();
        }
    }
    return text;
}

void TextsWindow::addText()
{
    const QString text = acceptable(nullptr);
    if (text.isEmpty())
        return;
    QListWidgetItem *item = addOwnItem(text, true);
    // Shown where it went, and the editor ready for the next one.
    m_own->setCurrentItem(item);
    m_editor->clear();
    say(QString());
}

void TextsWindow::replaceText()
{
    QListWidgetItem *item = m_own->currentItem();
    if (!item)
        return;
    const QString text = acceptable(item);
    if (text.isEmpty())
        return;
    item->setData(TextRole, text);
    item->setText(rowText(text));
    preview(text);
    say(QString());
}

void TextsWindow::removeText()
{
    QListWidgetItem *item = m_own->currentItem();
    if (!item)
        return;
    if (item->checkState() == Qt::Checked && onCount() == 1) {
        say(LastOnMessage);
        return;
    }
    delete item;
    m_editor->clear();
}

void TextsWindow::allOn()
{
    QScopedValueRollback quiet(m_quiet, true);
    for (const QListWidget *list : {m_builtIns, m_own}) {
        for (QListWidgetItem *item : items(list))
            item->setCheckState(Qt::Checked);
    }
}

void TextsWindow::restore()
{
    // The built-ins as the program comes: all on, in the random order. The
    // user's own texts are the user's and stay as they are.
    QScopedValueRollback quiet(m_quiet, true);
    for (QListWidgetItem *item : items(m_builtIns))
        item->setCheckState(Qt::Checked);
    m_random->setChecked(true);
}

void TextsWindow::importFile(const QString &path)
{
    QFile file(path);
    QByteArray bytes;
    if (openRegularFile(file))
        bytes = file.read(ReminderTexts::ReadLimit + 1);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    if (file.error() != QFileDevice::NoError || !file.isOpen() || bytes.size() > ReminderTexts::ReadLimit
        || decoder.hasError()) {
        say(QStringLiteral("تعذّرت قراءة الملف «%1» نصاً بترميز UTF-8، فلم يُستورد منه شيء.").arg(path));
        return;
    }
    int taken = 0;
    QStringList refused;
    const QStringList paragraphs = TextParagraphs::split(text);
    for (int i = 0; i < paragraphs.size(); ++i) {
        const QString &t = paragraphs.at(i);
        bool known = false;
        for (const QListWidgetItem *item : items(m_own))
            known = known || item->data(TextRole).toString() == t;
        if (known)
            continue;
        if (CardText::check(t, m_family) != CardText::Verdict::Fits) {
            // Named by its place in the file and its first words.
            refused << QStringLiteral("%1 («%2…»)").arg(i + 1).arg(rowText(t).left(24));
            continue;
        }
        addOwnItem(t, true);
        ++taken;
    }
    QString report = QStringLiteral("استُورد من الملف %1 من النصوص.").arg(taken);
    if (!refused.isEmpty())
        report += QStringLiteral(" ولم تُستورد هذه لأنها أطول مما تسعه البطاقة: ") + refused.join(QStringLiteral("، "));
    say(report);
}

bool TextsWindow::exportFile(const QString &path)
{
    QStringList texts;
    for (const QListWidgetItem *item : items(m_own))
        texts << item->data(TextRole).toString();
    const bool saved = saveFile(path, TextParagraphs::join(texts).toUtf8());
    say(saved ? QStringLiteral("صُدِّرت نصوصك إلى «%1».").arg(path)
              : QStringLiteral("تعذّرت كتابة الملف «%1».").arg(path));
    return saved;
}

void TextsWindow::chooseImport()
{
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("استيراد نصوص"), QString(),
                                                      QStringLiteral("نصوص (*.txt);;كل الملفات (*)"));
    if (!path.isEmpty())
        importFile(path);
}

void TextsWindow::chooseExport()
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("تصدير نصوصك"),
                                                      QStringLiteral("نصوصي.txt"), QStringLiteral("نصوص (*.txt)"));
    if (!path.isEmpty())
        exportFile(path);
}

void TextsWindow::say(const QString &message)
{
    m_notice->setText(message);
}

void TextsWindow::apply()
{
    m_texts.setValues(shown());
    // Told once, in the window; a second OK closes it all the same.
    if (!m_texts.save() && !std::exchange(m_toldNotSaved, true)) {
        say(NotSavedMessage);
        return;
    }
    accept();
}

QString TextsWindow::problemMessage(const ReminderTexts &texts)
{
    const QString start = QStringLiteral("تعذّرت قراءة ملف نصوص التذكير فعادت النصوص المرفقة كلها");
    if (texts.setAside().isEmpty())
        return start + QStringLiteral("، وبقي الملف كما هو فلن يُكتب فوقه.");
    return start + QStringLiteral("، ونُقل الملف كما هو إلى «%1».").arg(texts.setAside());
}
