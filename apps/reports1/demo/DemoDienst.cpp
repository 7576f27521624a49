// The staff on duty at each range and competition day of the time plan:
// a range officer, range supervisors by the range's size and the scoring,
// once per range the competition management (a role whose name takes
// several lines in the staff list), with their allowances; and the coat of
// arms the staff badges carry.

#include "apps/reports1/demo/DemoGenerator.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace Demo::detail {

void Generator::writeDuty(int id)
{
    // A stream of its own: the data generated before and after stays as it was.
    Rng rng(o_.seed ^ 0x5D1E57ULL);
    Inserter art(c_, "MITART", {"MitArt", "Name", "Etikett"});
    art.add({"WBL", "Wettbewerbsleitung und Aufsicht der Schießstände", "J"});
    Inserter sp(c_, "MSPESEN", {"Ident", "MitglNr", "VereinNr", "Anlage", "WKTag", "Teilmeisterschaft", "MitArt",
                                "Beginn", "Ende", "Tagessatz", "Auszahlung", "Entfernung"});
    std::vector<int> adults;
    for (size_t i = 0; i < members_.size(); ++i)
        if (members_[i].jahrgang.toInt() <= o_.sportjahr - 25)
            adults.push_back(int(i));
    const auto person = [&]() -> const Member* {
        for (int tries = 0; tries < 50 && !adults.empty(); ++tries) {
            const Member& m = members_[size_t(rng.pick(adults))];
            if (!mitarb_.count(m.nr)) {
                const QString seit = rng.chance(0.15) ? QString() : QString::number(rng.range(1985, o_.sportjahr - 1));
                addMitarb(id, m.nr, m.name, m.vorname, m.titel, m.jahrgang, m.monat, seit);
                ++staffCount_;
                return &m;
            }
        }
        return nullptr;
    };
    std::set<std::pair<int, int>> done;
    std::set<int> leitung;
    for (const auto& [key, relays] : plan_) {
        const auto [anlage, day, disziplin] = key;
        if (!done.insert({anlage, day}).second)
            continue;
        QString teilm;
        for (const auto& d : days_)
            if (d.first == day)
                teilm = d.second;
        int stands = 6;
        for (const AnlageDef& a : kAnlagen)
            if (a.nr == anlage)
                stands = a.stands;
        QStringList roles{"SL", "AUS"};
        for (int k = 0; k <= stands / 12; ++k)
            roles << "AUF";
        if (leitung.insert(anlage).second)
            roles << "WBL";
        for (const QString& role : roles) {
            const Member* m = person();
            if (!m)
                return;
            const bool full = role != "AUF" || rng.chance(0.5);
            const int begin = full ? 7 * 60 + 30 : 12 * 60 + 30;
            sp.add({id, m->nr, clubs_[size_t(m->club)].nr, anlage, day, teilm, role, timeText(begin),
                    timeText(full ? 18 * 60 : begin + 5 * 60 + 30), full ? "1" : "2", rng.chance(0.7) ? "J" : "N",
                    double(rng.range(4, 85))});
        }
    }
}

} // namespace Demo::detail

namespace Demo {

bool WappenSchreiben(const QString& folder, QString* error)
{
    // A shield in the association's colours, white and blue.
    QImage bild(200, 240, QImage::Format_RGB32);
    bild.fill(Qt::white);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath schild;
    schild.moveTo(10, 10);
    schild.lineTo(190, 10);
    schild.lineTo(190, 120);
    schild.quadTo(190, 200, 100, 232);
    schild.quadTo(10, 200, 10, 120);
    schild.closeSubpath();
    p.fillPath(schild, QColor(0, 84, 159));
    p.setClipPath(schild);
    for (int i = 0; i < 6; ++i)
        for (int k = 0; k < 6; ++k)
            if ((i + k) % 2 == 0)
                p.fillRect(10 + i * 30, 10 + k * 40, 30, 40, Qt::white);
    p.setClipping(false);
    p.setPen(QPen(Qt::black, 6));
    p.drawPath(schild);
    p.end();
    const QString datei = QDir(folder).filePath("WAPPEN.BMP");
    QDir().mkpath(folder);
    if (!bild.save(datei, "BMP")) {
        if (error)
            *error = "Die Datei \"" + datei + "\" kann nicht geschrieben werden.";
        return false;
    }
    return true;
}

} // namespace Demo
