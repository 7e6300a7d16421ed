#pragma once

#include <QString>
#include <array>

// The week as the windows show it: from Saturday to Friday, as Arabic
// calendars read it, each day by its Arabic name.
namespace WeekDays {

inline constexpr std::array<int, 7> ReadingOrder{Qt::Saturday,  Qt::Sunday,   Qt::Monday, Qt::Tuesday,
                                                 Qt::Wednesday, Qt::Thursday, Qt::Friday};

// dayOfWeek: Qt::DayOfWeek, 1 (Monday) to 7.
QString name(int dayOfWeek);

} // namespace WeekDays
