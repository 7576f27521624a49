// Competition days, relays, firing points and start numbers.

#include "apps/reports1/demo/DemoGenerator.h"

#include <algorithm>
#include <cmath>

namespace Demo::detail {

void Generator::schedule()
{
    int relayId = 0;
    int dayBase = 1;
    for (const char* teilm : {"1", "2"}) {
        int daysNeeded = 0;
        for (const AnlageDef& a : kAnlagen) {
            int day = 0, minute = 8 * 60, relay = 1;
            for (const DisziplinDef& d : disziplinen()) {
                if (d.range != a.nr || QLatin1String(d.teilm) != QLatin1String(teilm))
                    continue;
                std::vector<int> idx;
                for (size_t i = 0; i < starts_.size(); ++i)
                    if (starts_[i].disziplin == QLatin1String(d.code) && starts_[i].anlage == 0)
                        idx.push_back(int(i));
                std::stable_sort(idx.begin(), idx.end(), [&](int x, int y) {
                    const Start& a1 = starts_[size_t(x)];
                    const Start& b1 = starts_[size_t(y)];
                    if (a1.klasse != b1.klasse)
                        return a1.klasse < b1.klasse;
                    return a1.club < b1.club;
                });
                const int length = d.relayMinutes + d.pauseMinutes;
                size_t pos = 0;
                while (pos < idx.size()) {
                    if (minute + d.relayMinutes > 18 * 60) {
                        ++day;
                        minute = 8 * 60;
                        relay = 1;
                    }
                    ++relayId;
                    int stand = 1;
                    for (int k = 0; k < a.stands && pos < idx.size(); ++k, ++stand) {
                        if (k > 0 && rng_.chance(0.04))
                            continue; // a firing point left free
                        Start& s = starts_[size_t(idx[pos++])];
                        s.anlage = a.nr;
                        s.wkTag = dayBase + day;
                        s.zeit1 = minute;
                        s.zeit2 = a.nr == 5 ? minute + d.relayMinutes : -1;
                        s.durchgang = relay;
                        s.stand = stand;
                        s.dgid = relayId;
                    }
                    plan_[{a.nr, dayBase + day, QString(d.code)}].push_back({minute, minute + d.relayMinutes});
                    ++relay;
                    minute += length;
                }
            }
            daysNeeded = std::max(daysNeeded, day + 1);
        }
        for (int i = 0; i < daysNeeded; ++i)
            days_.push_back({dayBase + i, QString(teilm)});
        dayBase += daysNeeded;
    }
    for (Start& s : starts_)
        if (s.anlage < 0)
            s.anlage = 0;
}

QDate Generator::dayDate(int index, const QString& teilm) const
{
    QDate first(o_.sportjahr, teilm == "2" ? 5 : 3, 1);
    while (first.dayOfWeek() != Qt::Saturday)
        first = first.addDays(1);
    // Saturdays and Sundays, one weekend after the other.
    return first.addDays((index / 2) * 7 + (index % 2));
}

void Generator::numberStarts()
{
    std::vector<int> idx;
    for (size_t i = 0; i < starts_.size(); ++i)
        if (starts_[i].anlage > 0)
            idx.push_back(int(i));
    std::stable_sort(idx.begin(), idx.end(), [&](int x, int y) {
        const Start& a = starts_[size_t(x)];
        const Start& b = starts_[size_t(y)];
        return std::tie(a.wkTag, a.anlage, a.zeit1, a.stand) < std::tie(b.wkTag, b.anlage, b.zeit1, b.stand);
    });
    int nr = 0;
    for (int i : idx) {
        Start& s = starts_[size_t(i)];
        s.startNr = ++nr;
        if (rng_.chance(0.2))
            s.druckDat = QDate(o_.sportjahr, 2, rng_.range(1, 28)).toString("yyyy-MM-dd") + " 19:30:00";
    }
}

} // namespace Demo::detail
