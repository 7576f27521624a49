// Clubs, their members and the starts each member enters.

#include "apps/reports1/demo/DemoGenerator.h"

#include <algorithm>
#include <cmath>

namespace Demo::detail {

void Generator::makeClubs()
{
    const int wantClubs = std::clamp(o_.starts / 30, 12, 600);
    const int districts = std::clamp(wantClubs / 20, 6, 42);
    regions_ = (districts + 5) / 6;
    for (int d = 0; d < districts; ++d) {
        const int region = d / 6 + 1;
        const QString code = QString::number(region) + QString::number(d % 6 + 1);
        districtCodes_.push_back(code);
        districtNames_.push_back(QString("Gau ") + kOrte[(d * 7 + 3) % std::size(kOrte)]);
    }
    std::vector<int> perDistrict(size_t(districts), 0);
    for (int i = 0; i < wantClubs; ++i) {
        int d = i < districts ? i : rng_.below(districts);
        if (perDistrict[size_t(d)] >= 99)
            continue;
        ++perDistrict[size_t(d)];
    }
    for (int d = 0; d < districts; ++d) {
        for (int n = 1; n <= perDistrict[size_t(d)]; ++n) {
            Club c;
            c.kreis = districtCodes_[size_t(d)];
            c.land = c.kreis.left(1);
            c.nr = c.kreis + pad(n, 2);
            const TitelDef& t = rng_.pick(kVereinstitel);
            c.titel = t.titel;
            c.abk = t.abk;
            c.ort = rng_.pick(kOrte);
            QString name = QString(rng_.pick(kVereinsnamen)) + " " + c.ort;
            if (rng_.chance(0.3))
                name += QString(" %1 e.V.").arg(rng_.range(1850, 1985));
            c.name = name;
            c.plz = QString::number(rng_.range(80000, 87999));
            c.strasse = QString("Schützenweg %1").arg(rng_.range(1, 60));
            c.vorstand = QString(rng_.pick(kVornamenM)) + " " + rng_.pick(kNachnamen);
            c.weight = 1 + rng_.below(40);
            clubs_.push_back(c);
        }
    }
    // A few clubs whose names show what the documents must cope with.
    clubs_[0].titel = "Kgl. priv. Feuerschützengesellschaft";
    clubs_[0].name = "Immergrün-Alpenrose Oberschleißheim-Lustheim 1878 e.V.";
    clubs_[0].abk = "KpFSG";
    clubs_[1 % clubs_.size()].titel = "";
    clubs_[1 % clubs_.size()].name = "D'Hubertusschützen Aising";
    clubs_[1 % clubs_.size()].abk = "";
    clubs_[2 % clubs_.size()].titel = "Schützengesellschaft";
    clubs_[2 % clubs_.size()].abk = "SG";
    clubs_[2 % clubs_.size()].name = "Tell Dachau";
    for (const Club& c : clubs_)
        totalWeight_ += c.weight;
}

int Generator::pickClub()
{
    int r = rng_.below(totalWeight_);
    for (size_t i = 0; i < clubs_.size(); ++i) {
        r -= clubs_[i].weight;
        if (r < 0)
            return int(i);
    }
    return int(clubs_.size()) - 1;
}

int Generator::newMember(int club, const KlasseDef& k)
{
    Member m;
    m.club = club;
    m.klasse = k.code;
    m.sex = k.sex == '*' ? QString(rng_.chance(0.7) ? "M" : "W") : QString(QLatin1Char(k.sex));
    m.name = rng_.pick(kNachnamen);
    m.vorname = m.sex == "M" ? rng_.pick(kVornamenM) : rng_.pick(kVornamenW);
    if (k.ageMin >= 21 && rng_.chance(0.03))
        m.titel = rng_.pick(kTitel);
    const int age = rng_.range(k.ageMin, k.ageMax);
    m.jahrgang = QString::number(o_.sportjahr - age);
    m.monat = pad(rng_.range(1, 12), 2);
    m.tag = pad(rng_.range(1, 28), 2);
    if (rng_.chance(0.02))
        m.tag = rng_.chance(0.5) ? "00" : "";
    const Club& c = clubs_[size_t(club)];
    if (rng_.chance(0.015)) {
        // no address on record
    } else {
        m.strasse = QString("%1straße %2").arg(rng_.pick(kVereinsnamen)).arg(rng_.range(1, 120));
        m.plz = c.plz;
        m.ort = c.ort;
    }
    if (rng_.chance(0.02))
        m.hlKlasse = k.team;
    m.orgNr = QString("BY%1").arg(pad(rng_.range(1, 9999999), 7));
    m.skill = rng_.normal(0.0, 0.30);
    int running = ++memberCount_[club];
    m.nr = c.nr + pad(running, 4);
    if (rng_.chance(0.03) && clubs_.size() > 1) {
        int other = rng_.below(int(clubs_.size()));
        if (other != club)
            m.secondClub = other;
    }
    members_.push_back(m);
    return int(members_.size()) - 1;
}

void Generator::addStart(int member, const QString& disziplin, bool anchor)
{
    Start s;
    s.anchor = anchor;
    s.member = member;
    const Member& m = members_[size_t(member)];
    s.club = (!anchor && m.secondClub >= 0 && rng_.chance(0.5)) ? m.secondClub : m.club;
    s.disziplin = disziplin;
    s.klasse = m.klasse;
    starts_.push_back(s);
}

std::vector<const DisziplinDef*> Generator::disciplinesFor(const QString& klasse)
{
    std::vector<const DisziplinDef*> out;
    for (const DisziplinDef& d : disziplinen())
        for (const char* c : d.classes)
            if (klasse == QLatin1String(c))
                out.push_back(&d);
    return out;
}

void Generator::makeMembers()
{
    // Two clubs enter three crossbow shooters each, so that the crossbow
    // has complete teams.
    for (int club : {0, std::min(2, int(clubs_.size()) - 1)})
        for (int i = 0; i < 3 && int(starts_.size()) < o_.starts; ++i)
            addStart(newMember(club, klasse("10")), "531", true);
    const double classWeights[] = {16, 10, 4, 4, 5, 5, 4, 4, 3, 3, 12, 7, 7, 5, 3};
    double totalClassWeight = 0;
    for (double w : classWeights)
        totalClassWeight += w;
    while (int(starts_.size()) < o_.starts) {
        double r = rng_.unit() * totalClassWeight;
        size_t ki = 0;
        while (ki + 1 < std::size(kKlassen) && (r -= classWeights[ki]) >= 0)
            ++ki;
        const KlasseDef& k = kKlassen[ki];
        auto options = disciplinesFor(k.code);
        if (options.empty())
            continue;
        const int member = newMember(pickClub(), k);
        int wanted = rng_.chance(0.55) ? 1 : (rng_.chance(0.65) ? 2 : 3);
        wanted = std::min<int>(wanted, int(options.size()));
        std::vector<const DisziplinDef*> chosen;
        while (int(chosen.size()) < wanted) {
            double total = 0;
            for (const DisziplinDef* d : options)
                if (std::find(chosen.begin(), chosen.end(), d) == chosen.end())
                    total += d->weight;
            double x = rng_.unit() * total;
            for (const DisziplinDef* d : options) {
                if (std::find(chosen.begin(), chosen.end(), d) != chosen.end())
                    continue;
                x -= d->weight;
                if (x < 0) {
                    chosen.push_back(d);
                    break;
                }
            }
        }
        for (const DisziplinDef* d : chosen)
            if (int(starts_.size()) < o_.starts)
                addStart(member, d->code);
    }
}

} // namespace Demo::detail
