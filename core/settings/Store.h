#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <utility>

// A model whose values live in one file of the data folder: its path, the
// signal that they changed, the read and the checked save, and what happens
// to a file that cannot be used.
//
// A file that cannot be read, or that a store refuses, is never written
// over: before anything could replace it, it is moved aside as it is to the
// first free "<name>.damaged-<n>" (see setDamagedFileAside), so that an
// earlier one is never replaced either, and setAside() says where for the
// one message at start. Where it cannot be moved, every save is refused
// for the rest of the run.
class Store : public QObject
{
    Q_OBJECT
public:
    // Why the file's values could not all be used.
    enum class Problem {
        None,
        Unreadable,
        Damaged
    };

    QString path() const { return m_path; }
    Problem problem() const { return m_problem; }
    // Where the file that could not be used was moved; empty when it could
    // not be moved (or nothing was wrong).
    QString setAside() const { return m_setAside; }

Q_SIGNALS:
    void changed();

protected:
    explicit Store(const QString &path, QObject *parent = nullptr);

    struct Contents
    {
        bool present = false; // false: no file there at all
        QByteArray bytes;     // at most the limit and one byte more
    };

    // Forgets what the last load found and reads the file. Anything there
    // that is no regular file, or a read that fails, counts as
    // Problem::Unreadable.
    Contents read(qint64 limit);
    // The file at path could not be used, for why: it goes aside as it is.
    void setDamagedAside(Problem why);
    // Writes bytes as the whole file, or leaves it as it was: false then,
    // and always while a file that could not be used is still in the way.
    bool write(const QByteArray &bytes) const;

    // Reads the file through parse (bytes to a store's Parsed, with its
    // damaged flag); fallback when there is no file or it cannot be read.
    // A file parse calls damaged, or one that cannot be read, goes aside.
    template <typename Parsed, typename Parse> Parsed readParsed(qint64 limit, Parsed fallback, Parse parse)
    {
        const Contents contents = read(limit);
        Parsed parsed = std::move(fallback);
        if (contents.present && problem() == Problem::None)
            parsed = parse(contents.bytes);
        if (parsed.damaged)
            setDamagedAside(Problem::Damaged);
        else if (problem() != Problem::None)
            setDamagedAside(problem());
        return parsed;
    }

    // Puts next in current and says so when they differ.
    template <typename Values> void replace(Values &current, const Values &next)
    {
        if (current == next)
            return;
        current = next;
        Q_EMIT changed();
    }

private:
    QString m_path;
    Problem m_problem = Problem::None;
    QString m_setAside;
    bool m_keepOff = false;
};
