#include "horloge.h"

#include <QDateTime>

std::int64_t HorlogeSysteme::maintenant() const
{
    // Local time, as the chronometer of a series is read on the wall clock.
    const QDateTime now = QDateTime::currentDateTime();
    return now.toSecsSinceEpoch() + now.offsetFromUtc();
}
