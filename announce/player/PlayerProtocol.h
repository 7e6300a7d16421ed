#pragma once

#include <QByteArray>
#include <optional>

// What the strip and its player process say to each other, one line at a
// time. The player writes its status on its standard output whenever it
// changes and again every HeartbeatMs, so that silence means a stuck
// player; the strip writes "quit" on the player's standard input, and the
// player also ends when that input closes (the strip is gone). A player
// that writes a line longer than MaxLineBytes, or more than
// MaxLinesPerHeartbeat lines within one HeartbeatMs, is broken: reading it
// would cost the strip more than the movie is worth.
namespace PlayerProtocol {

enum class Status {
    Loading,
    Playing,
    Failed
};

inline constexpr int HeartbeatMs = 5'000;
// Its line end included.
inline constexpr int MaxLineBytes = 64;
// A heartbeat and a few changes is the pace; this is far beyond it.
inline constexpr int MaxLinesPerHeartbeat = 200;
inline constexpr char Quit[] = "quit";

inline QByteArray line(Status status)
{
    switch (status) {
    case Status::Loading: return QByteArrayLiteral("loading\n");
    case Status::Playing: return QByteArrayLiteral("playing\n");
    case Status::Failed: break;
    }
    return QByteArrayLiteral("failed\n");
}

// A line as read (with or without its line end); nothing for anything else.
inline std::optional<Status> parse(QByteArray text)
{
    text = text.trimmed();
    if (text == "loading")
        return Status::Loading;
    if (text == "playing")
        return Status::Playing;
    if (text == "failed")
        return Status::Failed;
    return std::nullopt;
}

} // namespace PlayerProtocol
