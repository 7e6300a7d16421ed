#include "core/SwfCheck.h"

#include <QtEndian>

SwfVerdict checkSwf(QByteArrayView head, qint64 size)
{
    if (head.size() < SwfHeaderBytes || size < SwfHeaderBytes)
        return SwfVerdict::NotAMovie;
    const QByteArrayView signature = head.first(3);
    const bool plain = signature == "FWS";
    if (!plain && signature != "CWS" && signature != "ZWS")
        return SwfVerdict::NotAMovie;
    const qint64 declared = qFromLittleEndian<quint32>(head.data() + 4);
    if (declared > SwfMaxUnpackedBytes)
        return SwfVerdict::TooLarge;
    // A compressed movie's length can only be checked by unpacking it,
    // which is the player's work.
    if (plain && declared != size)
        return SwfVerdict::Incomplete;
    return SwfVerdict::Movie;
}
