#pragma once

#include <QByteArray>
#include <QObject>

#include <functional>

class QString;

// The running copy's end of the instance channel: listens at a name, takes
// one line from each caller and writes back what the answer gives for it.
// Each system has its own, made by create().
class ChannelListener : public QObject
{
public:
    // Takes a caller's line, its line end included, and returns what to
    // write back: empty for nothing.
    using Answer = std::function<QByteArray(const QByteArray &line)>;

    // A caller that connects and says nothing is not waited for longer.
    static constexpr int QuietCallerMs = 2000;
    // Callers waiting for the rest of their line at once. A later copy
    // writes its line as it connects, so a newcomer is read first; when it
    // must wait too, the one that has waited longest goes (a line it has
    // sent by then is still answered), so no flood of callers keeps a
    // real one out, and none takes more than this much of the program.
    static constexpr int MaxCallers = 8;

    static ChannelListener *create(Answer answer, QObject *parent);

    // Whatever is left at the name is replaced: only the lock's holder
    // listens, so it can only be a crashed copy's.
    virtual bool listen(const QString &name) = 0;
    virtual bool listening() const = 0;

protected:
    using QObject::QObject;
};
