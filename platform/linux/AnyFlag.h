#pragma once

#include <QList>
#include <QObject>
#include <functional>

// Several sources of one yes-or-no state (the screen is locked, do not
// disturb) as one: on while any of them is on. Reports once when started,
// with what the sources have said so far, then on every change, for as long
// as owner lives.
class AnyFlag final : public QObject
{
public:
    AnyFlag(QObject &owner, std::function<void(bool)> report);

    // A new source, off until it says otherwise: what it calls with its
    // value. The setter must not outlive this object (give the source this
    // object as its parent or its connection's context).
    std::function<void(bool)> input();

    void start();

private:
    void set(qsizetype source, bool on);
    bool any() const;

    std::function<void(bool)> m_report;
    QList<bool> m_sources;
    bool m_started = false;
    bool m_value = false;
};
