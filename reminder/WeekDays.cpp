#include "reminder/WeekDays.h"

namespace WeekDays {

QString name(int dayOfWeek)
{
    switch (dayOfWeek) {
    case Qt::Monday: return QStringLiteral("الاثنين");
    case Qt::Tuesday: return QStringLiteral("الثلاثاء");
    case Qt::Wednesday: return QStringLiteral("الأربعاء");
    case Qt::Thursday: return QStringLiteral("الخميس");
    case Qt::Friday: return QStringLiteral("الجمعة");
    case Qt::Saturday: return QStringLiteral("السبت");
    default: return QStringLiteral("الأحد");
    }
}

} // namespace WeekDays
