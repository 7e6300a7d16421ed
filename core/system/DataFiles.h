#pragma once

#include <QLatin1String>
#include <QString>

// The names of the files the program keeps in its data folder, relative to
// it. Older versions wrote the first five under these very names, and a
// data folder copied from one must still be read.
namespace DataFiles {

// The settings record.
inline constexpr char Record[] = "background.txt";
// The installed announcement and movie.
inline constexpr char Announcement[] = "text7.txt";
inline constexpr char Movie[] = "1.swf";
// Where a fetch puts what it downloads before it is checked and installed.
inline constexpr char Staging[] = "wjk";
inline constexpr char StagedAnnouncement[] = "wjk/text8.txt";
inline constexpr char StagedMovie[] = "wjk/1.swf";
// The hold window's choices and the user's texts.
inline constexpr char Hold[] = "hold.ini";
inline constexpr char Texts[] = "texts.ini";
// The reminders at set times of day, and the sound a card comes with.
inline constexpr char Times[] = "times.ini";
inline constexpr char Sound[] = "sound.ini";
// The running copy's lock, never another's to take over.
inline constexpr char Lock[] = "murel.lock";

// name inside folder.
inline QString path(const QString &folder, const char *name)
{
    return folder + QLatin1Char('/') + QLatin1String(name);
}

} // namespace DataFiles
