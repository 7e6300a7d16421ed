#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The one-line record background.txt keeps: five quoted texts and three
// unit flags, comma separated, ended by CR LF.
struct SettingsRecord
{
    QString background; // "1".."6", or whatever the record held
    QString fontName;
    QString runAtLogon; // "1" or "0"
    QString interval;   // count of units between reminders
    QString duration;   // seconds a reminder stays
    bool seconds = true;
    bool minutes = false;
    bool hours = false;
};

QByteArray encodeSettingsRecord(const SettingsRecord &record);

// Fields in file order, as many as could be read (at most eight). Reading
// stops at the first field the text runs out before.
QStringList readSettingsFields(const QString &text);

// "#TRUE#" and "#FALSE#"; anything else does not convert.
std::optional<bool> recordBoolean(const QString &field);

// Written through a temporary file, so a failed write keeps the old record.
bool writeSettingsFile(const QString &path, const SettingsRecord &record);

// Fields of the file at path; none when it is missing, unreadable or not a
// regular file.
QStringList readSettingsFile(const QString &path);

// Files larger than this are read only this far: the record is one short line.
inline constexpr qint64 kSettingsReadLimit = 64 * 1024;
