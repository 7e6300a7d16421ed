#pragma once

#include "core/Catalogue.h"
#include "core/TextRound.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

// Which texts the cards show: the built-ins the user switched off, the
// user's own texts (each with its switch), the order, and the round so far.
// Kept in a file of their own in the data folder ("key=value" lines,
// UTF-8); the catalogue and background.txt are never touched.
//
// A file that cannot be read or is not this file's text gives the
// built-ins, all on, and is moved aside under a name that was free
// ("<name>.damaged-<n>"), so that the next save cannot destroy texts the
// user typed; where it cannot be moved, nothing is ever written over it in
// this run. problem() says which, for the one message at start.
class ReminderTexts : public QObject
{
    Q_OBJECT
public:
    enum class Order {
        Random,  // each card drawn from all texts that are on, as always
        EachOnce // each text once before any repeats (see TextRound)
    };

    enum class Problem {
        None,
        Unreadable,
        Damaged
    };

    struct OwnText
    {
        QString text;
        bool on = true;
        bool operator==(const OwnText &) const = default;
    };

    struct Values
    {
        QList<int> builtInOff;      // catalogue numbers, ascending
        QList<OwnText> own;         // in the user's order
        Order order = Order::Random;
        QList<TextKey> shown;       // this round so far, oldest first
        bool operator==(const Values &) const = default;
    };

    struct Parsed
    {
        Values values;
        bool damaged = false;
    };

    static constexpr char FileName[] = "texts.ini";
    // Texts that fit a card are short: a file past this is not ours.
    static constexpr qint64 ReadLimit = 1024 * 1024;

    explicit ReminderTexts(const QString &path, QObject *parent = nullptr);

    QString path() const { return m_path; }
    const Values &values() const { return m_values; }
    void setValues(const Values &values);
    const Catalogue &catalogue() const { return m_catalogue; }

    void load();
    Problem problem() const { return m_problem; }
    // Where a damaged or unreadable file was moved; empty when it could not
    // be moved (and is then kept from being written over).
    QString setAside() const { return m_setAside; }
    // Written whole through a temporary file: false leaves the old one.
    bool save() const;

    // The texts that are on, built-ins first, in list order.
    static QList<TextKey> onKeys(const Values &values);
    QString text(const TextKey &key) const;

    // The next card's text. A text of the user's that usable refuses (one
    // that no longer fits the card in the font chosen since) is passed
    // over while anything else is on. In the round's order the round moves
    // on and is saved, so that a restart carries on with it.
    TextKey next(quint64 seed, const std::function<bool(const QString &)> &usable);

    // Unknown keys are skipped, for a later version's additions; text that
    // is not lines of "key=value", not UTF-8, or a value this version
    // cannot read makes the whole file damaged: half of a user's choices
    // would be worse than a clear message and the file kept.
    static Parsed parse(const QByteArray &bytes);
    static QByteArray encode(const Values &values);

Q_SIGNALS:
    void changed();

private:
    void setAsideDamaged();

    QString m_path;
    Catalogue m_catalogue;
    Values m_values;
    Problem m_problem = Problem::None;
    QString m_setAside;
    bool m_keepOff = false; // a damaged file is still in the way
};
