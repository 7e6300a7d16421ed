#include "reminder/TimesWindow.h"

#include "controls/Named.h"
#include "controls/TavrelButton.h"
#include "controls/WindowLook.h"
#include "core/hold/HoldSettings.h"
#include "core/texts/ReminderTexts.h"
#include "reminder/TextPicker.h"
#include "reminder/TimeEditAccessible.h"
#include "reminder/WeekDays.h"

#include <QAccessible>
#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int BuiltInRole = Qt::UserRole; // a row of the reminder's texts: its key
constexpr int OwnRole = Qt::UserRole + 1;

TavrelButton *button(QWidget *parent, const char *name, const QString &caption, const QString &accessibleName)
{
    auto *b = named(new TavrelButton(parent), name, accessibleName);
    b->setDescription({.caption = caption});
    b->setFixedSize(84, 25);
    return b;
}

TextKey keyOf(const QListWidgetItem *item)
{
    return {item->data(BuiltInRole).toInt(), item->data(OwnRole).toString()};
}

// A name as the file keeps it: one line, no control characters a paste
// could bring.
QString tidiedName(const QString &typed)
{
    QString name;
    for (const QChar c : typed)
        name += c.category() == QChar::Other_Control ? QChar(QLatin1Char(' ')) : c;
    return name.simplified();
}

} // namespace

TimesWindow::TimesWindow(TimesSettings &times, const ReminderTexts &texts, QWidget *parent)
    : QDialog(parent)
    , m_times(times)
    , m_texts(texts)
{
    // Before any control exists: a reader asks for a control's interface
    // as soon as it is named, and keeps the one it got.
    QAccessible::installFactory(timeEditAccessibleFactory);
    setUpToolWindow(*this, QStringLiteral("TimesWindow"), Title, QStringLiteral("murel-times"));

    auto *layout = new QVBoxLayout(this);
    auto *columns = new QHBoxLayout;
    layout->addLayout(columns, 1);
    auto *right = new QVBoxLayout;
    auto *left = new QVBoxLayout;
    columns->addLayout(right);
    columns->addLayout(left, 1);
    QWidgetList readingOrder;
    buildEntryList(*right, readingOrder);
    right->addWidget(buildEntryFields(readingOrder));
    right->addStretch();
    left->addWidget(buildEntryTexts(readingOrder), 1);

    m_note = named(new QLabel(this), "timesNote");
    m_note->setWordWrap(true);
    setTextColor(*m_note, QColor(128, 0, 0));
    layout->addWidget(m_note);
    const auto [buttons, ok, cancel] = okCancelRow(*this, "timesOk", "timesCancel");
    layout->addLayout(buttons);
    readingOrder << ok << cancel;
    for (qsizetype i = 1; i < readingOrder.size(); ++i)
        setTabOrder(readingOrder.at(i - 1), readingOrder.at(i));

    connect(ok, &TavrelButton::clicked, this, &TimesWindow::apply);
    connect(cancel, &TavrelButton::clicked, this, &QDialog::reject);

    const QList<TimedReminder> &entries = m_times.values().entries;
    for (int i = 0; i < entries.size(); ++i) {
        m_rows << Row{entries.at(i), i};
        new QListWidgetItem(entryRowText(entries.at(i)), m_entries);
    }
    connect(m_entries, &QListWidget::currentRowChanged, this, &TimesWindow::showEntry);
    if (m_rows.isEmpty())
        showEntry(-1);
    else
        m_entries->setCurrentRow(0);
    m_entries->setFocus();
    // Within a 1024 x 768 screen with its title bar and a panel.
    resize(780, 580);
}

void TimesWindow::buildEntryList(QVBoxLayout &layout, QWidgetList &readingOrder)
{
    layout.addWidget(named(new QLabel(QStringLiteral("التذكيرات:"), this), "timesEntriesCaption"));
    m_entries = named(new QListWidget(this), "timesEntries", QStringLiteral("التذكيرات في أوقاتها"));
    m_entries->setSelectionMode(QAbstractItemView::SingleSelection);
    m_entries->setFixedHeight(m_entries->fontMetrics().lineSpacing() * 6 + 8);
    layout.addWidget(m_entries);
    auto *row = new QHBoxLayout;
    auto *add = button(this, "timesAdd", QStringLiteral("تذكير جديد"), QStringLiteral("إضافة تذكير جديد"));
    m_removeEntry = button(this, "timesRemove", QStringLiteral("حذف"), QStringLiteral("حذف التذكير المختار"));
    row->addWidget(add);
    row->addWidget(m_removeEntry);
    row->addStretch();
    layout.addLayout(row);
    connect(add, &TavrelButton::clicked, this, &TimesWindow::addEntry);
    connect(m_removeEntry, &TavrelButton::clicked, this, &TimesWindow::removeEntry);
    readingOrder << m_entries << add << m_removeEntry;
}

QWidget *TimesWindow::buildEntryFields(QWidgetList &readingOrder)
{
    m_entry = named(new QGroupBox(QStringLiteral("التذكير المختار"), this), "timesEntry");
    auto *fields = new QVBoxLayout(m_entry);
    auto *grid = new QGridLayout;
    m_name = named(new QLineEdit(m_entry), "timesName", QStringLiteral("اسم التذكير"));
    m_time = named(new QTimeEdit(m_entry), "timesTime", QStringLiteral("وقت التذكير"));
    // The digits and the order of a clock, as in the hold window.
    m_time->setLocale(QLocale::c());
    m_time->setLayoutDirection(Qt::LeftToRight);
    m_time->setDisplayFormat(QStringLiteral("HH:mm"));
    // Each named whole by itself: a label made its buddy would be read
    // before the name.
    grid->addWidget(named(new QLabel(QStringLiteral("الاسم:"), m_entry), "timesNameCaption"), 0, 0);
    grid->addWidget(m_name, 0, 1);
    grid->addWidget(named(new QLabel(QStringLiteral("الوقت:"), m_entry), "timesTimeCaption"), 1, 0);
    grid->addWidget(m_time, 1, 1, Qt::AlignLeading);
    fields->addLayout(grid);

    auto *days = named(new QGroupBox(QStringLiteral("الأيام"), m_entry), "timesDays", QStringLiteral("أيام التذكير"));
    auto *dayGrid = new QGridLayout(days);
    m_days.resize(7);
    readingOrder << m_name << m_time;
    int place = 0;
    for (int day : WeekDays::ReadingOrder) {
        auto *box = new QCheckBox(WeekDays::name(day), days);
        box->setObjectName(QStringLiteral("timesDay%1").arg(day));
        box->setAccessibleName(WeekDays::name(day));
        m_days[day - 1] = box;
        dayGrid->addWidget(box, place / 4, place % 4);
        ++place;
        readingOrder << box;
        connect(box, &QCheckBox::toggled, this, &TimesWindow::fieldsEdited);
    }
    fields->addWidget(days);

    m_on = named(new QCheckBox(QStringLiteral("يعمل هذا التذكير"), m_entry), "timesOn",
                 QStringLiteral("يعمل هذا التذكير"));
    m_untilClosed = named(new QCheckBox(QStringLiteral("تبقى كل بطاقة حتى أغلقها"), m_entry), "timesUntilClosed",
                          QStringLiteral("تبقى كل بطاقة حتى أغلقها"));
    fields->addWidget(m_on);
    fields->addWidget(m_untilClosed);
    readingOrder << m_on << m_untilClosed;

    connect(m_name, &QLineEdit::textChanged, this, &TimesWindow::fieldsEdited);
    connect(m_time, &QTimeEdit::timeChanged, this, &TimesWindow::fieldsEdited);
    connect(m_on, &QCheckBox::toggled, this, &TimesWindow::fieldsEdited);
    connect(m_untilClosed, &QCheckBox::toggled, this, &TimesWindow::fieldsEdited);
    return m_entry;
}

QWidget *TimesWindow::buildEntryTexts(QWidgetList &readingOrder)
{
    auto *frame = named(new QGroupBox(QStringLiteral("نصوصه بالترتيب الذي تظهر به"), this), "timesTextsFrame");
    m_textsFrame = frame;
    auto *layout = new QVBoxLayout(frame);
    m_entryTexts = named(new QListWidget(frame), "timesTexts", QStringLiteral("نصوص التذكير بترتيبها"));
    m_entryTexts->setSelectionMode(QAbstractItemView::SingleSelection);
    m_entryTexts->setWordWrap(true);
    m_entryTexts->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(m_entryTexts, 1);
    auto *row = new QHBoxLayout;
    auto *up = button(frame, "timesTextUp", QStringLiteral("تقديم"), QStringLiteral("تقديم النص المختار"));
    auto *down = button(frame, "timesTextDown", QStringLiteral("تأخير"), QStringLiteral("تأخير النص المختار"));
    auto *remove = button(frame, "timesTextRemove", QStringLiteral("إزالة"), QStringLiteral("إزالة النص المختار"));
    for (TavrelButton *b : {up, down, remove})
        row->addWidget(b);
    row->addStretch();
    layout->addLayout(row);
    // The same from the list itself, where the keyboard is.
    auto *upKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Up), m_entryTexts);
    auto *downKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Down), m_entryTexts);
    auto *removeKey = new QShortcut(QKeySequence(Qt::Key_Delete), m_entryTexts);
    for (QShortcut *key : {upKey, downKey, removeKey})
        key->setContext(Qt::WidgetShortcut);
    connect(up, &TavrelButton::clicked, this, [this] { moveText(-1); });
    connect(down, &TavrelButton::clicked, this, [this] { moveText(1); });
    connect(remove, &TavrelButton::clicked, this, &TimesWindow::removeText);
    connect(upKey, &QShortcut::activated, this, [this] { moveText(-1); });
    connect(downKey, &QShortcut::activated, this, [this] { moveText(1); });
    connect(removeKey, &QShortcut::activated, this, &TimesWindow::removeText);

    layout->addWidget(named(new QLabel(QStringLiteral("أضف إليها من النصوص:"), frame), "timesPickCaption"));
    m_picker = named(new TextPicker(m_texts, frame), "timesPicker");
    layout->addWidget(m_picker, 1);
    connect(m_picker, &TextPicker::picked, this, &TimesWindow::addTexts);
    readingOrder << m_entryTexts << up << down << remove << m_picker->readingOrder();
    return frame;
}

QString TimesWindow::entryRowText(const TimedReminder &entry) const
{
    const QString name = tidiedName(entry.name);
    return QStringLiteral("%1، %2، %3")
        .arg(name.isEmpty() ? Unnamed : name, entry.time.toString(QStringLiteral("HH:mm")),
             entry.enabled ? QStringLiteral("يعمل") : QStringLiteral("متوقف"));
}

QString TimesWindow::textRowText(const TextKey &key) const
{
    QString row = TextPicker::rowText(m_texts.text(key));
    if (!key.isBuiltIn()) {
        const QList<ReminderTexts::OwnText> &own = m_texts.values().own;
        const bool kept = std::any_of(own.cbegin(), own.cend(),
                                      [&key](const ReminderTexts::OwnText &t) { return t.text == key.own; });
        if (!kept)
            row += QStringLiteral(" (حُذف من نصوصك)");
    }
    return row;
}

void TimesWindow::showEntry(int row)
{
    QScopedValueRollback quiet(m_quiet, true);
    // The list may name a row it is about to lose (while an item goes):
    // no entry is shown for it.
    const bool any = row >= 0 && row < m_rows.size();
    m_current = any ? row : -1;
    m_removeEntry->setEnabled(any);
    m_entry->setEnabled(any);
    m_textsFrame->setEnabled(any);
    const TimedReminder entry = any ? m_rows.at(row).entry : TimedReminder{};
    m_name->setText(any ? entry.name : QString());
    m_time->setTime(entry.time);
    for (int day = 1; day <= 7; ++day)
        m_days[day - 1]->setChecked(entry.days & HoldSettings::dayBit(day));
    m_on->setChecked(entry.enabled);
    m_untilClosed->setChecked(entry.untilClosed);
    m_entryTexts->clear();
    for (const TextKey &key : entry.texts) {
        auto *item = new QListWidgetItem(textRowText(key), m_entryTexts);
        item->setData(BuiltInRole, key.builtIn);
        item->setData(OwnRole, key.own);
    }
    if (m_entryTexts->count() > 0)
        m_entryTexts->setCurrentRow(0);
    updateNote();
}

void TimesWindow::fieldsEdited()
{
    if (m_quiet || m_current < 0)
        return;
    TimedReminder &entry = m_rows[m_current].entry;
    entry.name = m_name->text();
    entry.time = m_time->time();
    entry.days = 0;
    for (int day = 1; day <= 7; ++day) {
        if (m_days[day - 1]->isChecked())
            entry.days |= HoldSettings::dayBit(day);
    }
    entry.enabled = m_on->isChecked();
    entry.untilClosed = m_untilClosed->isChecked();
    m_entries->item(m_current)->setText(entryRowText(entry));
    updateNote();
}

void TimesWindow::entryTextsEdited()
{
    if (m_current < 0)
        return;
    QList<TextKey> &keys = m_rows[m_current].entry.texts;
    keys.clear();
    for (int i = 0; i < m_entryTexts->count(); ++i)
        keys << keyOf(m_entryTexts->item(i));
    updateNote();
}

void TimesWindow::addEntry()
{
    if (m_rows.size() >= TimesSettings::EntryLimit) {
        m_note->setText(QStringLiteral("بلغت التذكيرات حدها الأعلى، %1 تذكير.").arg(TimesSettings::EntryLimit));
        return;
    }
    // Made to be used: on from the start, every day, and its name ready to
    // be typed over.
    TimedReminder entry;
    entry.name = QStringLiteral("تذكير جديد");
    entry.enabled = true;
    m_rows << Row{entry, -1};
    new QListWidgetItem(entryRowText(entry), m_entries);
    m_entries->setCurrentRow(int(m_rows.size() - 1));
    m_name->setFocus(Qt::OtherFocusReason);
    m_name->selectAll();
}

void TimesWindow::removeEntry()
{
    const int row = m_current;
    if (row < 0)
        return;
    m_rows.removeAt(row);
    delete m_entries->takeItem(row);
    // The list moves its current row while the item goes, counting the
    // rows as they were: shown again as they are now.
    showEntry(m_entries->currentRow());
    if (m_rows.isEmpty()) {
        // The button went off with the last entry; the keyboard stays near.
        m_entries->setFocus(Qt::OtherFocusReason);
    }
}

void TimesWindow::addTexts(const QList<TextKey> &keys)
{
    if (m_current < 0)
        return;
    const int room = TimesSettings::TextLimit - m_entryTexts->count();
    QListWidgetItem *last = nullptr;
    for (const TextKey &key : keys.first(std::clamp(int(keys.size()), 0, room))) {
        last = new QListWidgetItem(textRowText(key), m_entryTexts);
        last->setData(BuiltInRole, key.builtIn);
        last->setData(OwnRole, key.own);
    }
    if (last) {
        // The list shows where the texts went; the keyboard stays in the
        // picker, to pick the next.
        m_entryTexts->setCurrentItem(last);
        m_entryTexts->scrollToItem(last);
        entryTextsEdited();
    }
    if (keys.size() > room)
        m_note->setText(QStringLiteral("بلغت نصوص هذا التذكير حدها الأعلى، %1 نص.").arg(TimesSettings::TextLimit));
}

void TimesWindow::moveText(int by)
{
    const int from = m_entryTexts->currentRow();
    const int to = from + by;
    if (from < 0 || to < 0 || to >= m_entryTexts->count())
        return;
    QListWidgetItem *item = m_entryTexts->takeItem(from);
    m_entryTexts->insertItem(to, item);
    m_entryTexts->setCurrentItem(item);
    entryTextsEdited();
}

void TimesWindow::removeText()
{
    const int row = m_entryTexts->currentRow();
    if (row < 0)
        return;
    delete m_entryTexts->takeItem(row);
    entryTextsEdited();
}

void TimesWindow::updateNote()
{
    // What would keep a reminder that is on from ever coming.
    QString note;
    if (m_current >= 0 && m_rows.at(m_current).entry.enabled) {
        const TimedReminder &entry = m_rows.at(m_current).entry;
        if (entry.texts.isEmpty())
            note = QStringLiteral("لا يظهر هذا التذكير حتى تختار له نصاً واحداً على الأقل.");
        else if (entry.days == 0)
            note = QStringLiteral("لا يظهر هذا التذكير حتى تختار له يوماً واحداً على الأقل.");
    }
    m_note->setText(note);
}

TimesSettings::Values TimesWindow::shown() const
{
    // The grace time and each entry's last day as the program has them now:
    // a reminder that came while the window was open must not come again.
    TimesSettings::Values v = m_times.values();
    const QList<TimedReminder> now = v.entries;
    v.entries.clear();
    for (const Row &row : m_rows) {
        TimedReminder entry = row.entry;
        entry.name = tidiedName(entry.name);
        if (entry.name.isEmpty())
            entry.name = Unnamed;
        if (row.origin >= 0 && row.origin < now.size())
            entry.lastShown = now.at(row.origin).lastShown;
        v.entries << entry;
    }
    return v;
}

void TimesWindow::apply()
{
    m_times.setValues(shown());
    if (!m_times.save())
        Q_EMIT notSaved();
    accept();
}

QString TimesWindow::problemMessage(const TimesSettings &times)
{
    const QString start = QStringLiteral("تعذّرت قراءة ملف «أوقات الأذكار» فعادت التذكيرات الأصلية");
    if (times.setAside().isEmpty())
        return start + QStringLiteral("، وبقي الملف كما هو فلن يُكتب فوقه.");
    return start + QStringLiteral("، ونُقل الملف كما هو إلى «%1».").arg(QDir::toNativeSeparators(times.setAside()));
}
