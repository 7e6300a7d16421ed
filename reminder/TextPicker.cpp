#include "reminder/TextPicker.h"

#include "controls/Named.h"
#include "controls/TavrelButton.h"
#include "core/texts/ReminderTexts.h"
#include "reminder/TextSearch.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace {

constexpr int BuiltInRole = Qt::UserRole;    // the catalogue's number, -1 for the user's own
constexpr int TextRole = Qt::UserRole + 1;   // the whole text
constexpr int FoldedRole = Qt::UserRole + 2; // the text as the search compares it, once asked

TextKey keyOf(const QListWidgetItem *item)
{
    const int builtIn = item->data(BuiltInRole).toInt();
    return builtIn >= 0 ? TextKey::ofBuiltIn(builtIn) : TextKey::ofOwn(item->data(TextRole).toString());
}

} // namespace

TextPicker::TextPicker(const ReminderTexts &texts, QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_search = named(new QLineEdit(this), "timesSearch", QStringLiteral("بحث في النصوص"));
    m_search->setPlaceholderText(QStringLiteral("بحث في النصوص (التشكيل لا يهم)"));
    m_search->setClearButtonEnabled(true);
    layout->addWidget(m_search);

    m_list = named(new QListWidget(this), "timesOffered", QStringLiteral("النصوص التي تُختار منها"));
    // Several at once: the morning's texts are many, and picked in one go
    // they keep the list's order.
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setWordWrap(true);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Thousands of wrapped rows measured at once would hold the window up.
    m_list->setLayoutMode(QListView::Batched);
    layout->addWidget(m_list, 1);

    auto *row = new QHBoxLayout;
    m_pick = named(new TavrelButton(this), "timesPick", QStringLiteral("أضف المختار إلى نصوص التذكير"));
    m_pick->setDescription({.caption = QStringLiteral("أضف إلى نصوصه")});
    m_pick->setFixedSize(110, 25);
    row->addWidget(m_pick);
    row->addStretch();
    layout->addLayout(row);

    const Catalogue &catalogue = texts.catalogue();
    for (int n = 0; n < catalogue.size(); ++n)
        addRow(catalogue.entry(n), TextKey::ofBuiltIn(n));
    for (const ReminderTexts::OwnText &own : texts.values().own)
        addRow(own.text, TextKey::ofOwn(own.text));
    m_list->setCurrentRow(0, QItemSelectionModel::NoUpdate);

    connect(m_search, &QLineEdit::textChanged, this, &TextPicker::filter);
    connect(m_pick, &TavrelButton::clicked, this, &TextPicker::pickSelected);
    // Enter or a double click on a row picks what is selected.
    connect(m_list, &QListWidget::itemActivated, this, &TextPicker::pickSelected);
}

QString TextPicker::rowText(const QString &text)
{
    return QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')).trimmed();
}

QWidgetList TextPicker::readingOrder() const
{
    return {m_search, m_list, m_pick};
}

void TextPicker::addRow(const QString &text, const TextKey &key)
{
    auto *item = new QListWidgetItem(rowText(text), m_list);
    item->setData(BuiltInRole, key.builtIn);
    item->setData(TextRole, text);
}

void TextPicker::filter(const QString &query)
{
    showMatchingTexts(*m_list, query, TextRole, FoldedRole);
}

void TextPicker::pickSelected()
{
    QList<TextKey> keys;
    for (int i = 0; i < m_list->count(); ++i) {
        const QListWidgetItem *item = m_list->item(i);
        // A row the search hid since it was selected is not picked unseen.
        if (!item->isSelected() || item->isHidden())
            continue;
        keys << keyOf(item);
    }
    // Enter on a row reached by the keyboard alone, selected or not.
    const QListWidgetItem *current = m_list->currentItem();
    if (keys.isEmpty() && current && !current->isHidden())
        keys << keyOf(current);
    if (!keys.isEmpty())
        Q_EMIT picked(keys);
}
