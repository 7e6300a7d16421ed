#pragma once

#include <QList>

// Whether the machine is on-line, decided from what the system tells.
namespace Connectivity {

// What the system's network service says of the machine: nothing yet,
// no network, a network with nothing beyond this machine's link, a
// network without the internet (a site), or on-line.
enum class Reach {
    Unknown,
    Disconnected,
    Local,
    Site,
    Online
};

// One network interface as the interface table shows it. Routable: it has
// an address beyond its own link; a link-local address alone (what a
// cable to nowhere, or a network without a router, leaves) reaches
// nothing.
struct Interface
{
    bool up = false;
    bool running = false;
    bool loopback = false;
    bool routable = false;
};

// Some interface that is up, running, not the loopback, and routable.
bool anyInterfaceOnline(const QList<Interface> &interfaces);

// The system's network service knows better than the table when it knows:
// only its "on-line" counts; a local network or site without the internet
// does not. When it does not know, the table decides. A service that has
// not been heard from yet (loaded by this very check) may still show the
// value it starts with, unknown or disconnected, before its first answer
// arrives through the event loop: that is no answer, and the table
// decides; anything else it already says is its own word.
bool online(Reach service, bool serviceHeard, bool interfacesOnline);

// The system's network service as the checks have seen it: not loaded,
// loaded but not yet heard from, or heard from.
class Service
{
public:
    bool loaded() const { return m_loaded; }
    bool heard() const { return m_heard; }
    // Loaded just now: what it says is not yet its answer.
    void markLoaded()
    {
        m_loaded = true;
        m_heard = false;
    }
    // It told of a change: its word counts from now on.
    void markReported() { m_heard = m_loaded; }
    // One check's answer. Without the service the table alone decides. A
    // later check finds the service has had the event loop's turns its
    // first answer needs, so the check after the loading one trusts it.
    bool check(Reach service, bool interfacesOnline)
    {
        if (!m_loaded)
            return interfacesOnline;
        const bool answer = online(service, m_heard, interfacesOnline);
        m_heard = true;
        return answer;
    }

private:
    bool m_loaded = false;
    bool m_heard = false;
};

} // namespace Connectivity
