#pragma once

#include "core/fetch/Connectivity.h"

#include <QHostAddress>
#include <QList>

// The system's interface table as Connectivity reads it.
namespace InterfaceTable {

// Whether one of an interface's addresses reaches beyond its own link:
// not link-local, not the loopback, not empty.
bool routable(const QList<QHostAddress> &addresses);

// The machine's interfaces now.
QList<Connectivity::Interface> read();

} // namespace InterfaceTable
