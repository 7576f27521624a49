// Results shot by shot, finals, shoot-offs and the teams.

#include "apps/reports1/demo/DemoGenerator.h"

#include <algorithm>
#include <cmath>

namespace Demo::detail {

void Generator::shoot(Start& s)
{
    const DisziplinDef& d = disziplin(s.disziplin);
    const Member& m = members_[size_t(s.member)];
    s.series.clear();
    double tenths = 0;
    if (d.shotsPerSeries == 25) {
        const double p = std::clamp(0.86 + m.skill * 0.15, 0.5, 0.99);
        for (int i = 0; i < d.series; ++i) {
            int hits = 0;
            for (int t = 0; t < 25; ++t)
                hits += rng_.chance(p) ? 1 : 0;
            s.series.push_back(hits);
        }
    } else {
        const double mu = klasse(s.klasse).skill + d.skillShift + m.skill;
        for (int i = 0; i < d.series; ++i) {
            int sum = 0;
            for (int t = 0; t < 10; ++t) {
                double v = std::clamp(rng_.normal(mu + 0.45, 0.75), 0.0, 10.9);
                v = std::floor(v * 10.0) / 10.0;
                int ring = v < 1.0 ? 0 : int(std::floor(v));
                sum += ring;
                tenths += v;
                if (ring == 10) {
                    ++s.zehner;
                    if (v >= 10.5)
                        ++s.innen;
                } else if (ring == 9) {
                    ++s.neuner;
                } else if (ring == 8) {
                    ++s.achter;
                }
            }
            s.series.push_back(sum);
        }
    }
    int total = 0;
    QString text;
    for (int v : s.series) {
        total += v;
        text += pad(v, 3);
    }
    s.ergebnis = total;
    s.serien = text;
    if (QLatin1String(d.zehntel) == QLatin1String("J"))
        s.ergZentel = std::round(tenths * 10.0);
    if (QLatin1String(d.kennung) == QLatin1String("V"))
        s.messErg = 10000 - rng_.range(20, 800); // 10 x (1000 - measured value in mm)
}

void Generator::makeResults()
{
    for (Start& s : starts_) {
        const double r = s.anchor ? 1.0 : rng_.unit();
        if (r < 0.03) {
            s.abmeldung = "A";
            s.shoots = false;
            if (rng_.chance(0.5))
                s.aManuell = "X";
        } else if (r < 0.06) {
            s.shoots = false; // entered but did not start
        } else if (r < 0.075) {
            s.shoots = false;
            s.anlage = -1;    // no range assignment yet
        }
        const double q = s.anchor ? 1.0 : rng_.unit();
        if (q < 0.03)
            s.qual = "Q";
        else if (q < 0.05)
            s.qual = "D";
        if (rng_.chance(0.02))
            s.manuell = rng_.chance(0.5) ? "X" : (rng_.chance(0.5) ? "F" : "M");
        if ((s.disziplin == "220" || s.disziplin == "240") && rng_.chance(0.15))
            s.waffenGrp = rng_.chance(0.5) ? "A" : "B";
        if (s.shoots)
            shoot(s);
    }
    // A few disqualifications.
    std::vector<int> shot;
    for (size_t i = 0; i < starts_.size(); ++i)
        if (starts_[i].shoots && starts_[i].qual == "N")
            shot.push_back(int(i));
    const int disq = shot.empty() ? 0 : std::max(1, int(shot.size()) / 250);
    for (int i = 0; i < disq; ++i)
        starts_[size_t(rng_.pick(shot))].disq = rng_.range(1, 2);
    makeFinals();
}

// The best eight of the finals classes shoot a final (tenths); in the
// air-rifle men's class places two and three are then level and decided
// by a shoot-off.
void Generator::makeFinals()
{
    std::map<std::pair<QString, QString>, std::vector<int>> groups;
    for (size_t i = 0; i < starts_.size(); ++i) {
        const Start& s = starts_[i];
        if (!s.shoots || s.qual != "N" || s.disq || !disziplin(s.disziplin).finale)
            continue;
        if (s.klasse != "10" && s.klasse != "11")
            continue;
        groups[{s.disziplin, s.klasse}].push_back(int(i));
    }
    for (auto& [key, idx] : groups) {
        std::stable_sort(idx.begin(), idx.end(),
                         [&](int a, int b) { return starts_[size_t(a)].ergebnis > starts_[size_t(b)].ergebnis; });
        if (idx.size() > 8)
            idx.resize(8);
        for (int i : idx) {
            double f = 0;
            for (int t = 0; t < 10; ++t)
                f += std::floor(std::clamp(rng_.normal(10.0, 0.45), 7.0, 10.9) * 10.0);
            starts_[size_t(i)].finale = f;
        }
        if (key.first == "110" && key.second == "10" && idx.size() >= 4) {
            std::stable_sort(idx.begin(), idx.end(), [&](int a, int b) { return total(a) > total(b); });
            Start& second = starts_[size_t(idx[1])];
            Start& third = starts_[size_t(idx[2])];
            const double f = std::round((second.ergebnis + second.finale / 10.0 - third.ergebnis) * 10.0);
            if (f >= 700 && f <= 1090) {
                third.finale = f;
                second.stech = 104;
                third.stech = 98;
            }
        }
    }
}

void Generator::makeTeams()
{
    std::map<std::tuple<int, QString, QString>, std::vector<int>> pools;
    for (size_t i = 0; i < starts_.size(); ++i) {
        const Start& s = starts_[i];
        if (s.abmeldung == "A" || s.anlage < 0)
            continue;
        pools[{s.club, s.disziplin, QString(klasse(s.klasse).team)}].push_back(int(i));
    }
    for (auto& [key, idx] : pools) {
        const auto& [club, disz, mk] = key;
        int nr = 0;
        size_t pos = 0;
        while (pos < idx.size()) {
            const size_t left = idx.size() - pos;
            size_t size = left >= 3 ? 3 : left;
            if (size < 3 && !(size == 2 && rng_.chance(0.5)))
                break; // the rest start as individuals
            if (size == 3 && !starts_[size_t(idx[pos])].anchor && rng_.chance(0.04))
                size = 2; // a member dropped out of the team
            Team t;
            t.club = club;
            t.disziplin = disz;
            t.mKlasse = mk;
            t.nr = QString::number(++nr);
            for (size_t k = 0; k < size; ++k)
                t.starts.push_back(idx[pos + k]);
            pos += size == 2 && left >= 3 ? 3 : size;
            teams_.push_back(t);
        }
    }
    for (Team& t : teams_) {
        for (int i : t.starts) {
            Start& s = starts_[size_t(i)];
            s.mVerein = clubs_[size_t(t.club)].nr;
            s.mDisziplin = t.disziplin;
            s.mKlasse = t.mKlasse;
            s.mannschNr = t.nr;
        }
        sumTeam(t);
    }
    if (!teams_.empty()) {
        Team& q = teams_[size_t(rng_.below(int(teams_.size())))];
        if (q.disziplin != "531")
            q.qual = "Q";
        Team& moved = teams_[size_t(rng_.below(int(teams_.size())))];
        moved.mUmmeldung = "J";
        moved.ummeldung = 1;
    }
}

void Generator::sumTeam(Team& t)
{
    t.ergebnis = t.s1 = t.s2 = t.s3 = 0;
    for (int i : t.starts) {
        const Start& s = starts_[size_t(i)];
        t.ergebnis += s.ergebnis;
        t.s1 += s.series.size() > 0 ? s.series[0] : 0;
        t.s2 += s.series.size() > 1 ? s.series[1] : 0;
        t.s3 += s.series.size() > 2 ? s.series[2] : 0;
    }
}

// Two complete crossbow teams end level: of the two whose results are
// closest, the better one loses the difference on its members' last
// series.
void Generator::makeTie531()
{
    std::vector<Team*> complete;
    for (Team& t : teams_)
        if (t.disziplin == "531" && t.starts.size() == 3 && t.qual == "N" && t.ergebnis > 0)
            complete.push_back(&t);
    if (complete.size() < 2)
        return;
    std::stable_sort(complete.begin(), complete.end(), [](Team* a, Team* b) { return a->ergebnis > b->ergebnis; });
    size_t pair = 0;
    for (size_t i = 1; i + 1 < complete.size(); ++i)
        if (complete[i]->ergebnis - complete[i + 1]->ergebnis < complete[pair]->ergebnis - complete[pair + 1]->ergebnis)
            pair = i;
    Team& high = *complete[pair];
    int diff = int(high.ergebnis - complete[pair + 1]->ergebnis);
    for (int i : high.starts) {
        Start& s = starts_[size_t(i)];
        for (size_t k = s.series.size(); k-- > 0 && diff > 0;) {
            const int take = std::min(s.series[k], diff);
            s.series[k] -= take;
            diff -= take;
        }
        int sum = 0;
        QString text;
        for (int v : s.series) {
            sum += v;
            text += pad(v, 3);
        }
        s.ergebnis = sum;
        s.serien = text;
    }
    sumTeam(high);
}

} // namespace Demo::detail
