#pragma once

#include "core/settings/Store.h"
#include "core/system/DataFiles.h"
#include "core/texts/Catalogue.h"
#include "core/texts/TextRound.h"

#include <QList>
#include <QString>

#include <functional>

// Which texts the cards show: the built-ins the user switched off, the
// user's own texts (each with its switch), the order, and the round so far.
// Kept in a file of their own in the data folder ("key=value" lines,
// UTF-8); the catalogue and background.txt are never touched.
//
// A file that cannot be read or is past the size of any this program
// writes gives the built-ins, all on; one with lines this version cannot
// read keeps every other line. Either way the file is moved aside as it
// was (see Store), so that nothing the user typed is lost, and what was
// kept of it is written afresh. problem() says which, for the one message
// at start.
class ReminderTexts : public Store
{
    Q_OBJECT
public:
    enum class Order {
        Random,  // each card drawn from all texts that are on, as always
        EachOnce // each text once before any repeats (see TextRound)
    };

    struct OwnText
    {
        QString text;
        bool on = true;
        bool operator==(const OwnText &) const = default;
    };

    struct Values
    {
        QList<int> builtInOff; // catalogue numbers, ascending
        QList<OwnText> own;    // in the user's order
        Order order = Order::Random;
        QList<TextKey> shown; // this round so far, oldest first
        bool operator==(const Values &) const = default;
    };

    struct Parsed
    {
        Values values;
        bool damaged = false; // the whole file refused
        QList<int> badLines;  // lines skipped, from 1
    };

    static constexpr const char *FileName = DataFiles::Texts;
    // The user's own texts, at most: the window adds and imports no more,
    // so that the list stays quick to search and its file quick to read.
    static constexpr int OwnLimit = 10000;
    // Texts that fit a card are short: with every one of OwnLimit texts at
    // a card's length, twice (in the list and in the round), the file stays
    // well within this. A file past it is not ours.
    static constexpr qint64 ReadLimit = 32 * 1024 * 1024;

    explicit ReminderTexts(const QString &path, QObject *parent = nullptr);

    const Values &values() const { return m_values; }
    void setValues(const Values &values);
    const Catalogue &catalogue() const { return m_catalogue; }

    void load();
    // The lines of the file that were skipped, empty when the whole file was.
    QList<int> skippedLines() const { return m_skippedLines; }
    // Written whole through a temporary file: false leaves the old one.
    bool save() const;

    // The texts that are on, built-ins first, in list order.
    static QList<TextKey> onKeys(const Values &values);
    QString text(const TextKey &key) const;

    // The next card's text. A text of the user's that usable refuses (one
    // that no longer fits the card in the font chosen since) is passed
    // over while anything else is on; only the texts drawn are put to
    // usable, not every one that is on. In the round's order the round
    // moves on and is saved, so that a restart carries on with it.
    TextKey next(quint64 seed, const std::function<bool(const QString &)> &usable);

    // Unknown keys are skipped, for a later version's additions. A line
    // that is not "key=value", not UTF-8, holds a control character (a tab
    // is a blank) or a value this version cannot read is skipped and
    // named in badLines, and the others are kept: one bad line must not
    // cost the user every text typed. An item of "off" that is no
    // built-in's number is skipped alone. Only a file past ReadLimit is
    // refused whole.
    static Parsed parse(const QByteArray &bytes);
    static QByteArray encode(const Values &values);

private:
    // One line into v; false for a line to skip.
    static bool readLine(const QString &line, Values &v);
    // The text drawn, the round moved on and saved in the round's order.
    TextKey take(const TextKey &chosen, const TextRound::Step &step);

    Catalogue m_catalogue;
    Values m_values;
    QList<int> m_skippedLines;
};
