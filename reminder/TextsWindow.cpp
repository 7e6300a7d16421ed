#include "reminder/TextsWindow.h"

#include "controls/Label.h"
#include "controls/Named.h"
#include "controls/OleColor.h"
#include "controls/TavrelButton.h"
#include "controls/WindowLook.h"
#include "core/card/CardGeometry.h"
#include "core/card/Twips.h"
#include "core/settings/RegularFile.h"
#include "core/settings/SaveFile.h"
#include "core/texts/TextImport.h"
#include "core/texts/TextMatch.h"
#include "core/texts/TextParagraphs.h"
#include "reminder/Backgrounds.h"
#include "reminder/CardFrame.h"
#include "reminder/CardText.h"
#include "reminder/TextFit.h"
#include "reminder/TextSearch.h"
#include "resources/Artwork.h"

#include <QAccessible>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QStringDecoder>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

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
constexpr int FoldedRole = Qt::UserRole + 2; // the text as the search compares it, once asked

QList<QListWidgetItem *> items(const QListWidget *list)
{
    QList<QListWidgetItem *> out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i);
    return out;
}

// The item views say nothing when a row's check box changes: a screen
// reader is told here, row by row, or for a change of many rows that the
// list's data changed, to be read again.
void announceChecked(QListWidget *list, const QList<QListWidgetItem *> &changed)
{
    if (changed.isEmpty() || !QAccessible::isActive())
        return;
    constexpr qsizetype ManyRows = 64;
    if (changed.size() > ManyRows) {
        QAccessibleTableModelChangeEvent event(list, QAccessibleTableModelChangeEvent::DataChanged);
        event.setFirstRow(0);
        event.setLastRow(list->count() - 1);
        event.setFirstColumn(0);
        event.setLastColumn(0);
        QAccessible::updateAccessibility(&event);
        return;
    }
    QAccessible::State checked;
    checked.checked = true;
    for (QListWidgetItem *item : changed) {
        QAccessibleStateChangeEvent event(list, checked);
        // A list's rows are its accessible children in order.
        event.setChild(list->row(item));
        QAccessible::updateAccessibility(&event);
    }
}

// Line numbers as a sentence names them, the first few only.
QString lineList(const QList<int> &lines)
{
    if (lines.size() == 1)
        return QStringLiteral("السطر %1").arg(lines.constFirst());
    constexpr qsizetype Named = 5;
    QStringList named;
    for (qsizetype i = 0; i < std::min(Named, lines.size()); ++i)
        named << QString::number(lines.at(i));
    QString out = QStringLiteral("الأسطر ") + named.join(QStringLiteral("، "));
    if (lines.size() > Named)
        out += QStringLiteral(" ومواضع أخرى عددها %1").arg(lines.size() - Named);
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
    QWidgetList readingOrder;
    buildBuiltInList(*lists, readingOrder);
    buildOwnList(*lists, readingOrder);
    buildSide(*columns, background, readingOrder);
    // The tab order follows the reading order of the two columns.
    for (qsizetype i = 1; i < readingOrder.size(); ++i)
        setTabOrder(readingOrder.at(i - 1), readingOrder.at(i));

    const Catalogue &catalogue = m_texts.catalogue();
    for (int n = 0; n < catalogue.size(); ++n) {
        auto *item = new QListWidgetItem(rowText(catalogue.entry(n)), m_builtIns);
        item->setData(TextRole, catalogue.entry(n));
        item->setData(NumberRole, n);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    }
    showValues(m_texts.values());
    // Only now: showing the values must not count as the user's switches.
    connectLists();

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

void TextsWindow::buildBuiltInList(QVBoxLayout &lists, QWidgetList &readingOrder)
{
    m_search = named(new QLineEdit(this), "textsSearch", QStringLiteral("بحث في النصوص"));
    m_search->setPlaceholderText(QStringLiteral("بحث في النصوص (التشكيل لا يهم)"));
    m_search->setClearButtonEnabled(true);
    lists.addWidget(m_search);

    auto *builtInCaption = new QLabel(QStringLiteral("النصوص المرفقة بالبرنامج:"), this);
    lists.addWidget(builtInCaption);
    m_builtIns = named(new QListWidget(this), "builtInTexts", QStringLiteral("النصوص المرفقة بالبرنامج"));
    m_own = named(new QListWidget(this), "ownTexts", QStringLiteral("نصوصك"));
    builtInCaption->setBuddy(m_builtIns);
    // Many rows at once: selected, a press of the space bar switches them
    // all (Ctrl+A, Space switches every one shown).
    m_builtIns->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Each text read whole, over as many lines as it takes.
    // Laid out a batch of rows at a time from the event loop: thousands of
    // wrapped rows measured at once would hold the window up.
    for (QListWidget *list : {m_builtIns, m_own}) {
        list->setWordWrap(true);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setLayoutMode(QListView::Batched);
    }
    lists.addWidget(m_builtIns, 3);
    auto *builtInButtons = new QHBoxLayout;
    auto *allOnButton = button(this, "textsAllOn", QStringLiteral("تشغيل الكل"));
    auto *restoreButton = button(this, "textsRestore", QStringLiteral("استعادة الأصل"));
    builtInButtons->addWidget(allOnButton);
    builtInButtons->addWidget(restoreButton);
    builtInButtons->addStretch();
    lists.addLayout(builtInButtons);
    connect(allOnButton, &TavrelButton::clicked, this, &TextsWindow::allOn);
    connect(restoreButton, &TavrelButton::clicked, this, &TextsWindow::restore);
    readingOrder << m_search << m_builtIns << allOnButton << restoreButton;
}

void TextsWindow::buildOwnList(QVBoxLayout &lists, QWidgetList &readingOrder)
{
    auto *ownCaption = new QLabel(QStringLiteral("نصوصك:"), this);
    lists.addWidget(ownCaption);
    ownCaption->setBuddy(m_own);
    m_own->setSelectionMode(QAbstractItemView::SingleSelection);
    lists.addWidget(m_own, 1);
    auto *editorCaption = new QLabel(QStringLiteral("نص جديد، أو تعديل النص المختار من نصوصك:"), this);
    lists.addWidget(editorCaption);
    m_editor = named(new QPlainTextEdit(this), "textEditor", QStringLiteral("نص جديد أو معدَّل"));
    editorCaption->setBuddy(m_editor);
    m_editor->setTabChangesFocus(true);
    m_editor->setFixedHeight(m_editor->fontMetrics().lineSpacing() * 4 + 12);
    lists.addWidget(m_editor);
    auto *ownButtons = new QHBoxLayout;
    m_add = button(this, "textAdd", QStringLiteral("إضافة"));
    m_replace = button(this, "textReplace", QStringLiteral("حفظ التعديل"));
    m_remove = button(this, "textRemove", QStringLiteral("حذف"));
    auto *importButton = button(this, "textsImport", QStringLiteral("استيراد…"));
    auto *exportButton = button(this, "textsExport", QStringLiteral("تصدير…"));
    for (TavrelButton *b : {m_add, m_replace, m_remove, importButton, exportButton})
        ownButtons->addWidget(b);
    ownButtons->addStretch();
    lists.addLayout(ownButtons);
    m_notice = named(new QLabel(this), "textsNotice");
    m_notice->setWordWrap(true);
    setTextColor(*m_notice, QColor(128, 0, 0));
    lists.addWidget(m_notice);
    connect(m_add, &TavrelButton::clicked, this, &TextsWindow::addText);
    connect(m_replace, &TavrelButton::clicked, this, &TextsWindow::replaceText);
    connect(m_remove, &TavrelButton::clicked, this, &TextsWindow::removeText);
    connect(importButton, &TavrelButton::clicked, this, &TextsWindow::chooseImport);
    connect(exportButton, &TavrelButton::clicked, this, &TextsWindow::chooseExport);
    readingOrder << m_own << m_editor << m_add << m_replace << m_remove << importButton << exportButton;
}

void TextsWindow::buildSide(QHBoxLayout &columns, int background, QWidgetList &readingOrder)
{
    auto *side = new QVBoxLayout;
    columns.addLayout(side);
    side->addWidget(new QLabel(QStringLiteral("كما تظهر في البطاقة:"), this));
    auto *card = named(new QWidget(this), "textPreview", QStringLiteral("معاينة البطاقة"));
    buildPreview(card, background);
    side->addWidget(card);
    auto *order = named(new QGroupBox(QStringLiteral("ترتيب النصوص"), this), "textsOrder");
    auto *orderRows = new QVBoxLayout(order);
    m_random = named(new QRadioButton(QStringLiteral("عشوائي"), order), "orderRandom");
    m_eachOnce = named(new QRadioButton(QStringLiteral("كل نص مرة قبل أي تكرار"), order), "orderEachOnce");
    orderRows->addWidget(m_random);
    orderRows->addWidget(m_eachOnce);
    side->addWidget(order);
    side->addStretch();
    const auto [buttons, ok, cancel] = okCancelRow(*this, "textsOk", "textsCancel");
    side->addLayout(buttons);
    connect(ok, &TavrelButton::clicked, this, &TextsWindow::apply);
    connect(cancel, &TavrelButton::clicked, this, &QDialog::reject);
    readingOrder << m_random << m_eachOnce << ok << cancel;
}

void TextsWindow::connectLists()
{
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
}

TextsWindow::~TextsWindow() = default;

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
    if (look.frame)
        addCardFrame(card);
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
    if (!m_search->text().isEmpty())
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
    QList<QListWidgetItem *> changed{item};
    // The space bar on one of several selected rows switches them all,
    // those the search hides excepted.
    if (item->isSelected()) {
        for (QListWidgetItem *other : list->selectedItems()) {
            if (other != item && !other->isHidden() && other->checkState() != item->checkState()) {
                other->setCheckState(item->checkState());
                changed << other;
            }
        }
    }
    if (onCount() == 0) {
        item->setCheckState(Qt::Checked);
        changed.removeOne(item);
        say(LastOnMessage);
    }
    announceChecked(list, changed);
}

void TextsWindow::filter(const QString &query)
{
    QScopedValueRollback quiet(m_quiet, true);
    for (QListWidget *list : {m_builtIns, m_own})
        showMatchingTexts(*list, query, TextRole, FoldedRole);
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
    const QString typed = m_editor->toPlainText();
    // Refused as it is typed: the message stands while the text is too
    // long or holds a control character (pasted from elsewhere), and the
    // buttons that would keep it are off.
    if (const int line = TextParagraphs::controlLine(typed)) {
        m_add->setEnabled(false);
        m_replace->setEnabled(false);
        say(controlMessage(line));
        return;
    }
    const QString text = TextParagraphs::tidied(typed);
    const CardText::Verdict verdict = CardText::check(text, m_family);
    const bool fits = verdict == CardText::Verdict::Fits;
    m_add->setEnabled(fits);
    m_replace->setEnabled(fits && m_own->currentItem());
    say(text.isEmpty() && typed.isEmpty() ? QString() : CardText::message(verdict));
    if (fits)
        preview(text);
}

QString TextsWindow::controlMessage(int line)
{
    return QStringLiteral("في السطر %1 من النص محرف تحكّم لا يظهر في البطاقة، فاحذفه.").arg(line);
}

QString TextsWindow::acceptable(QListWidgetItem *replacing)
{
    const QString typed = m_editor->toPlainText();
    if (const int line = TextParagraphs::controlLine(typed)) {
        say(controlMessage(line));
        return QString();
    }
    if (!replacing && m_own->count() >= ReminderTexts::OwnLimit) {
        say(LimitMessage);
        return QString();
    }
    const QString text = TextParagraphs::tidied(typed);
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
    // Shown where it went, the keyboard on it, and the editor ready for the
    // next one. The add button goes off with the editor emptied; the focus
    // must not pass on from it to the buttons after it, the last of which
    // deletes: a second press would remove the text just added.
    m_own->setCurrentItem(item);
    m_own->scrollToItem(item);
    m_own->setFocus(Qt::OtherFocusReason);
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
    {
        QScopedValueRollback quiet(m_quiet, true);
        item->setData(TextRole, text);
        item->setData(FoldedRole, QVariant());
        item->setText(rowText(text));
    }
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
    for (QListWidget *list : {m_builtIns, m_own}) {
        QList<QListWidgetItem *> changed;
        for (QListWidgetItem *item : items(list)) {
            if (item->checkState() != Qt::Checked) {
                item->setCheckState(Qt::Checked);
                changed << item;
            }
        }
        announceChecked(list, changed);
    }
}

void TextsWindow::restore()
{
    // The built-ins as the program comes: all on, in the random order. The
    // user's own texts are the user's and stay as they are.
    QScopedValueRollback quiet(m_quiet, true);
    QList<QListWidgetItem *> changed;
    for (QListWidgetItem *item : items(m_builtIns)) {
        if (item->checkState() != Qt::Checked) {
            item->setCheckState(Qt::Checked);
            changed << item;
        }
    }
    announceChecked(m_builtIns, changed);
    m_random->setChecked(true);
}

void TextsWindow::importFile(const QString &path)
{
    if (m_import)
        return;
    QFile file(path);
    QByteArray bytes;
    if (openRegularFile(file))
        bytes = file.read(ReminderTexts::ReadLimit + 1);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    if (file.error() != QFileDevice::NoError || !file.isOpen() || bytes.size() > ReminderTexts::ReadLimit
        || decoder.hasError()) {
        say(QStringLiteral("تعذّرت قراءة الملف «%1» نصاً بترميز UTF-8، فلم يُستورد منه شيء.").arg(path));
        Q_EMIT importFinished();
        return;
    }
    bytes.clear();
    QStringList existing;
    for (const QListWidgetItem *item : items(m_own))
        existing << item->data(TextRole).toString();
    const int room = std::max(0, ReminderTexts::OwnLimit - int(existing.size()));
    // The card's rule (CardText::check) with its font made once, not for
    // every paragraph; a paragraph is never blank.
    QFont floor = CardText::font(m_family);
    floor.setPointSizeF(TextFit::FloorPoints);
    const QSizeF area = CardText::area().size();
    m_import = std::make_unique<TextImport>(text, existing, room,
                                            [floor, area](const QString &t) { return TextFit::fits(floor, t, area); });
    importSlice();
}

void TextsWindow::importSlice()
{
    // Short enough that the window paints and answers the keys between
    // two slices.
    constexpr qint64 SliceMs = 40;
    constexpr int Paragraphs = 16;
    QElapsedTimer slice;
    slice.start();
    do {
        for (const QString &t : m_import->step(Paragraphs))
            addOwnItem(t, true);
    } while (!m_import->done() && !slice.hasExpired(SliceMs));
    if (m_import->done()) {
        finishImport(false);
        return;
    }
    constexpr int Steps = 1000;
    if (!m_progress) {
        // Only for an import that goes on past its first slice; it shows
        // itself once the import has taken a noticeable time.
        m_progress = named(
            new QProgressDialog(QStringLiteral("تُستورد النصوص من الملف…"), QStringLiteral("إيقاف"), 0, Steps, this),
            "textsImportProgress", QStringLiteral("تقدم استيراد النصوص"));
        m_progress->setWindowTitle(QStringLiteral("استيراد نصوص"));
        m_progress->setWindowModality(Qt::WindowModal);
        m_progress->setAutoReset(false);
        m_progress->setAutoClose(false);
        m_progress->setMinimumDuration(300);
        m_progress->setValue(0);
    }
    if (!m_progress->wasCanceled())
        m_progress->setValue(int(m_import->position() * Steps / std::max<qsizetype>(1, m_import->size())));
    // Asked again: the dialog reads its button while it shows the value.
    if (m_progress->wasCanceled()) {
        finishImport(true);
        return;
    }
    QTimer::singleShot(0, this, &TextsWindow::importSlice);
}

void TextsWindow::finishImport(bool stopped)
{
    const std::unique_ptr<TextImport> job = std::move(m_import);
    if (m_progress) {
        m_progress->hide();
        m_progress->deleteLater();
        m_progress = nullptr;
    }
    QString report = stopped ? QStringLiteral("أُوقف الاستيراد قبل آخر الملف. ") : QString();
    report += QStringLiteral("استُورد من الملف %1 من النصوص.").arg(job->taken());
    if (job->overLimit() > 0) {
        report += QStringLiteral(" وبلغت نصوصك الحد الأعلى، %1 نص، فلم يُستورد %2 من النصوص الجديدة في الملف.")
                      .arg(ReminderTexts::OwnLimit)
                      .arg(job->overLimit());
    }
    if (!job->tooLongLines().isEmpty()) {
        report +=
            QStringLiteral(" ولم يُستورد ما يبدأ في %1 لأنه أطول مما تسعه البطاقة.").arg(lineList(job->tooLongLines()));
    }
    if (!job->controlLines().isEmpty()) {
        report += QStringLiteral(" ولم يُستورد ما فيه محرف تحكّم لا يظهر في البطاقة، في %1.")
                      .arg(lineList(job->controlLines()));
    }
    say(report);
    Q_EMIT importFinished();
}

bool TextsWindow::exportFile(const QString &path)
{
    QStringList texts;
    for (const QListWidgetItem *item : items(m_own))
        texts << item->data(TextRole).toString();
    const bool saved = saveFile(path, TextParagraphs::join(texts).toUtf8());
    say(saved ? QStringLiteral("صُدِّرت نصوصك إلى «%1».").arg(path) : QStringLiteral("تعذّرت كتابة الملف «%1».").arg(path));
    return saved;
}

void TextsWindow::chooseImport()
{
    if (m_import)
        return;
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("استيراد نصوص"), QString(),
                                                      QStringLiteral("نصوص (*.txt);;كل الملفات (*)"));
    if (!path.isEmpty())
        importFile(path);
}

void TextsWindow::chooseExport()
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("تصدير نصوصك"), QStringLiteral("نصوصي.txt"),
                                                      QStringLiteral("نصوص (*.txt)"));
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
    const QList<int> skipped = texts.skippedLines();
    const QString start = skipped.isEmpty()
        ? QStringLiteral("تعذّرت قراءة ملف نصوص التذكير فعادت النصوص المرفقة كلها")
        : QStringLiteral("في ملف نصوص التذكير ما لا يُقرأ في %1، فتُرك وبقي سائر ما فيه").arg(lineList(skipped));
    if (texts.setAside().isEmpty())
        return start + QStringLiteral("، وبقي الملف كما هو فلن يُكتب فوقه.");
    return start + QStringLiteral("، ونُقل الملف كما كان إلى «%1».").arg(texts.setAside());
}
