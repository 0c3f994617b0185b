#include "qt/zones/qt_zone_database.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QTimeZone>
#include <cstdlib>

#include "qt/vector_state.h"

namespace velmarin {

namespace {

constexpr qint64 kSecondsPerDay = 86400;
constexpr qint64 kNoon = 12 * 3600;

// Only names shaped like the database's: QTimeZone also takes offsets such
// as "UTC+05:00", which are no zones of the database.
QTimeZone ZoneOf(std::string_view zone) {
    if (!IsZoneNameShaped(zone)) return QTimeZone();
    const QByteArray id(zone.data(), static_cast<qsizetype>(zone.size()));
    if (!QTimeZone::isTimeZoneIdAvailable(id)) return QTimeZone();
    return QTimeZone(id);
}

// Seconds since the epoch of a date's 0 h read as UT.
qint64 MidnightAsUt(const QDate& date) {
    return QDateTime(date, QTime(0, 0), Qt::UTC).toSecsSinceEpoch();
}

}  // namespace

bool QtZoneDatabase::HasZone(std::string_view zone) const { return ZoneOf(zone).isValid(); }

std::vector<int> QtZoneDatabase::NoonOffsetSeconds(std::string_view zone, CivilDate first,
                                                   int count) const {
    // The year's computation follows: see vector_state.h.
    const WideVectorStateRelease release;
    const QTimeZone tz = ZoneOf(zone);
    const QDate firstDate(first.year, first.month, first.day);
    if (!tz.isValid() || !firstDate.isValid() || count <= 0) return {};

    // Local noon lies within a day of UT noon: transitions from a day
    // before the first day to a day after the last cover every change.
    const qint64 firstNoon = MidnightAsUt(firstDate) + kNoon;
    const QDateTime from = QDateTime::fromSecsSinceEpoch(firstNoon - 2 * kSecondsPerDay, Qt::UTC);
    const QDateTime to =
        QDateTime::fromSecsSinceEpoch(firstNoon + (count + 1) * kSecondsPerDay, Qt::UTC);
    const QTimeZone::OffsetDataList transitions = tz.transitions(from, to);
    int offset = tz.offsetFromUtc(from);

    std::vector<int> offsets(static_cast<std::size_t>(count));
    qsizetype next = 0;
    for (int i = 0; i < count; ++i) {
        const qint64 localNoon = firstNoon + i * kSecondsPerDay;  // local noon's clock reading, as UT
        // A change that took effect before this day's local noon is in force.
        while (next < transitions.size() &&
               transitions[next].atUtc.toSecsSinceEpoch() <= localNoon - offset) {
            offset = transitions[next].offsetFromUtc;
            ++next;
        }
        offsets[static_cast<std::size_t>(i)] = offset;
    }
    return offsets;
}

std::string QtZoneDatabase::Abbreviations(std::string_view zone, int year) const {
    const QTimeZone tz = ZoneOf(zone);
    if (!tz.isValid()) return {};
    const QDateTime start(QDate(year, 1, 1), QTime(0, 0), Qt::UTC);
    const QDateTime end(QDate(year + 1, 1, 1), QTime(0, 0), Qt::UTC);
    QTimeZone::OffsetDataList periods = tz.transitions(start, end);
    periods.prepend(tz.offsetData(start));
    // Standard time first, then summer time; each name once.
    QStringList names;
    for (const bool summer : {false, true}) {
        for (const QTimeZone::OffsetData& period : periods) {
            if ((period.daylightTimeOffset != 0) != summer || period.abbreviation.isEmpty()) continue;
            if (!names.contains(period.abbreviation)) names.append(period.abbreviation);
        }
    }
    return names.join(QLatin1Char('/')).toStdString();
}

QString UtcOffsetText(int seconds) {
    const int minutes = std::abs(seconds) / 60;
    return QStringLiteral("UTC%1%2:%3")
        .arg(seconds < 0 ? QLatin1Char('-') : QLatin1Char('+'))
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace velmarin
