// Writing records, staff, targets and the settings of the championship.

#include "apps/reports1/demo/DemoGenerator.h"

#include <algorithm>
#include <cmath>

namespace Demo::detail {

void Generator::addMitarb(int id, const QString& nr, const QString& name, const QString& vorname, const QString& titel,
               const QString& jahrgang, const QString& monat, const QString& seit)
{
    if (!mitarb_.insert(nr).second)
        return;
    (*mitarbInserter_).add({id, nr, seit, name, vorname, titel, jahrgang, monat});
}

void Generator::writeRecords(int id)
{
    Inserter re(c_, "EREKORDE", {"Ident", "Disziplin", "Klasse", "DisziplinName", "KlasseKurz", "KlasseName",
                                 "MitglNr", "Name", "Abkuerzung", "Ergebnis", "Finale", "Jahr", "Veranst",
                                 "Nummer"});
    // The winners of each group, by total.
    std::map<std::pair<QString, QString>, int> best;
    for (size_t i = 0; i < starts_.size(); ++i) {
        const Start& s = starts_[i];
        if (!s.shoots || s.qual != "N" || s.disq)
            continue;
        auto key = std::make_pair(s.disziplin, s.klasse);
        auto it = best.find(key);
        if (it == best.end() || total(int(i)) > total(it->second))
            best[key] = int(i);
    }
    int group = 0;
    for (const auto& [key, winner] : best) {
        if (group >= 14)
            break;
        const DisziplinDef& d = disziplin(key.first);
        const KlasseDef& k = klasse(key.second);
        const Start& w = starts_[size_t(winner)];
        const int year = o_.sportjahr - rng_.range(2, 9);
        // An older record by a shooter who is not entered this year.
        const QString holder = QString("9%1").arg(pad(++recordHolders_, 7));
        const QString name = rng_.pick(kNachnamen);
        const QString vorname = k.sex == 'W' ? rng_.pick(kVornamenW) : rng_.pick(kVornamenM);
        addMitarb(o_.ident, holder, name, vorname, "", QString::number(year - 30), "05", "");
        const Club& rc = rng_.pick(clubs_);
        re.add({id, d.code, k.code, d.name, k.kurz, k.name, holder, rc.name, rc.abk, std::max(0.0, w.ergebnis - 3),
                0.0, year, QString("BM %1").arg(year), 1});
        if (group < 3) {
            // The winner of this year set (Nummer 1) or equalled (2) the record.
            const Member& m = members_[size_t(w.member)];
            addMitarb(o_.ident, m.nr, m.name, m.vorname, m.titel, m.jahrgang, m.monat, "");
            const Club& wc = clubs_[size_t(w.club)];
            re.add({id, d.code, k.code, d.name, k.kurz, k.name, m.nr, wc.name, wc.abk, w.ergebnis, w.finale,
                    o_.sportjahr, QString("BM %1").arg(o_.sportjahr), group == 2 ? 2 : 1});
        }
        ++group;
    }
    Inserter rm(c_, "EREKORDM", {"Ident", "Disziplin", "Klasse", "DisziplinName", "KlasseName", "MannschNr",
                                 "VereinNr", "Name", "Abkuerzung", "Ergebnis", "Jahr", "Veranst", "Nummer"});
    std::map<std::pair<QString, QString>, const Team*> bestTeam;
    for (const Team& t : teams_)
        if (t.starts.size() == 3 && t.qual == "N") {
            auto key = std::make_pair(t.disziplin, t.mKlasse);
            auto it = bestTeam.find(key);
            if (it == bestTeam.end() || t.ergebnis > it->second->ergebnis)
                bestTeam[key] = &t;
        }
    int tg = 0;
    for (const auto& [key, t] : bestTeam) {
        if (tg >= 4)
            break;
        const DisziplinDef& d = disziplin(key.first);
        const KlasseDef& k = klasse(key.second);
        const Club& old = rng_.pick(clubs_);
        const int year = o_.sportjahr - rng_.range(2, 9);
        rm.add({id, d.code, k.code, d.name, k.name, "1", old.nr, old.name, old.abk, t->ergebnis - 5, year,
                QString("BM %1").arg(year), 1});
        if (tg == 0) {
            const Club& c = clubs_[size_t(t->club)];
            rm.add({id, d.code, k.code, d.name, k.name, t->nr, c.nr, c.name, c.abk, t->ergebnis, o_.sportjahr,
                    QString("BM %1").arg(o_.sportjahr), 1});
        }
        ++tg;
    }
}

void Generator::writeStaff(int id)
{
    Inserter art(c_, "MITART", {"MitArt", "Name", "Etikett"});
    const std::pair<const char*, const char*> roles[] = {
        {"SL", "Schießleiter"}, {"AUF", "Standaufsicht"}, {"AUS", "Auswertung"},
        {"KG", "Kampfrichter"}, {"MEL", "Meldestelle"}, {"SAN", "Sanitätsdienst"},
    };
    for (const auto& [code, name] : roles)
        art.add({code, name, QString(code) == "MEL" || QString(code) == "SAN" ? "N" : "J"});
    Inserter sp(c_, "MSPESEN", {"Ident", "MitglNr", "VereinNr", "Anlage", "WKTag", "Teilmeisterschaft", "MitArt",
                                "Beginn", "Ende", "Tagessatz", "Auszahlung", "Entfernung"});
    const int wanted = std::clamp(int(starts_.size()) / 25, 12, 400);
    std::vector<int> adults;
    for (size_t i = 0; i < members_.size(); ++i)
        if (members_[i].jahrgang.toInt() <= o_.sportjahr - 25)
            adults.push_back(int(i));
    int staff = 0;
    for (int tries = 0; staff < wanted && tries < wanted * 4 && !adults.empty(); ++tries) {
        const Member& m = members_[size_t(rng_.pick(adults))];
        if (mitarb_.count(m.nr))
            continue;
        const QString seit = rng_.chance(0.1) ? QString() : QString::number(rng_.range(1980, o_.sportjahr - 1));
        addMitarb(id, m.nr, m.name, m.vorname, m.titel, m.jahrgang, m.monat, seit);
        ++staff;
        const int n = rng_.range(1, 3);
        for (int k = 0; k < n && !days_.empty(); ++k) {
            const auto& day = rng_.pick(days_);
            const bool full = rng_.chance(0.6);
            const int begin = full ? 7 * 60 + 30 : (rng_.chance(0.5) ? 7 * 60 + 30 : 12 * 60 + 30);
            const int end = full ? 18 * 60 : begin + 5 * 60;
            const char* role = roles[size_t(rng_.below(int(std::size(roles))))].first;
            // The sub-championship of the day decides the ranges in use.
            const int anlage = day.second == "2" ? 4 : rng_.pick(std::vector<int>{1, 2, 3, 5});
            sp.add({id, m.nr, clubs_[size_t(m.club)].nr, anlage, day.first, day.second, role, timeText(begin), timeText(end),
                    rng_.chance(0.1) ? "0" : (full ? "1" : "2"), rng_.chance(0.5) ? "J" : "N",
                    double(rng_.range(3, 90))});
        }
    }
    staffCount_ = staff;
}

void Generator::writeTargets(int id)
{
    struct Art { const char* nr; const char* name; int sort, nummer, packung, karton; };
    const Art arts[] = {
        {"1.10.1", "Luftgewehrscheibe 10er-Streifen", 1, 1, 100, 1000},
        {"2.10.1", "Luftpistolenscheibe 17 x 17", 1, 2, 100, 1000},
        {"1.35.1", "KK-Scheibe 50 m", 1, 3, 250, 2500},
        {"1.20.1", "Zimmerstutzenscheibe", 1, 4, 100, 1000},
        {"2.1.1", "Scheibenspiegel LP", 1, 5, 50, 500},
        {"9.1.1", "Hintergrundscheibe LG", 2, 1, 50, 500},
        {"9.1.2", "Trägerscheibe KK", 2, 2, 25, 250},
        {"8.10.1", "Probescheibe LG", 3, 1, 100, 1000},
        {"8.20.1", "Probescheibe LP", 3, 2, 100, 1000},
        {"7.1.1", "Scheibenklammern", 4, 1, 10, 100},
        {"7.1.9", "Altbestand Wertungsscheibe", 100, 1, 1, 1},
    };
    Inserter pa(c_, "PSCHEIART", {"ScheibenArt", "Name", "Nummer", "Sort", "Packung", "Karton", "Unterteilung"});
    Inserter es(c_, "ESCHEIBEN", {"Ident", "ScheibenArt", "Anzahl", "AnzahlWert", "AnzahlProbe", "BestAnz",
                                  "BestMengeW", "BestMengeP", "Von", "Bis", "Wertung", "Probe", "Liegend",
                                  "Stehend", "Kniend"});
    const int n = int(starts_.size());
    for (const Art& a : arts) {
        pa.add({a.nr, a.name, a.nummer, a.sort, a.packung, a.karton, ""});
        if (a.sort >= 100)
            continue;
        const int need = std::max(1, n * rng_.range(2, 8) / 10 + rng_.below(7));
        es.add({id, a.nr, need, need, need / 5, need, need, need / 5, 1, need, a.sort == 3 ? "N" : "J",
                a.sort == 3 ? "J" : "N", "N", a.nr[0] == '1' ? "J" : "N", "N"});
    }
}

void Generator::writeSettings(const QString& level, const QString& region, bool state)
{
    Inserter s(c_, "QVSETTINGS", {"Programm", "Benutzer", "Bereich", "Schluessel", "Wert"});
    const QString p = veranstaltung_;
    const QString u = "alle Benutzer";
    auto set = [&](const char* bereich, const char* key, const QString& value) {
        s.add({p, u, bereich, key, value});
    };
    const QString jahr = QString::number(o_.sportjahr);
    const QString art = state ? "3" : "2";
    set("Allgemein", "Sportjahr", jahr);
    set("Allgemein", "VeranstaltungsArt", art);
    set("Allgemein", "Verband", "3");
    set("Allgemein", "Veranst1", state ? "Landesverband" : "Schützenbezirk");
    set("Allgemein", "Veranst2", region);
    set("Allgemein", "VeranstalterNr", state ? "1000" : "1000");
    set("Allgemein", "LastschriftTage", "20");
    set("Allgemein", "FontErgebnisse", "Arial");
    set("Allgemein", "FontGesamt", "Arial");
    set("Allgemein", "FontUrkunden", "Times New Roman");
    set("Global", "Verband", "Bayerischer Sportschützenbund e.V.");
    set("Global", "Ueberschr", level);
    set("Global", "Meistersch", level + " " + region);
    set("Global", "Veranst1", state ? "Landesverband" : "Schützenbezirk");
    set("Global", "Veranst2", region);
    set("Global", "UrkZusatz", "J");
    set("Global", "ErsteZ", "Urkunde");
    set("Global", "Ober", "Georg Obermaier");
    set("Global", "Sportl", "Anna Lechner");
    set("Global", "Name", "Lechner");
    set("Global", "Vorname", "Anna");
    set("Global", "Institut", "Kreissparkasse München Starnberg Ebersberg");
    set("Global", "Konto", "1234567");
    set("Global", "BLZ", "70250150");
    set("Global", "GläubigerID", "DE98ZZZ09999999999");
    set("Global", "StNr", "St.-Nr.");
    set("Global", "SteuerNr", "143/216/50182");
    set("Global", "TVorw", "089");
    set("Global", "Telefon", "3169490");
    set("Global", "FVorw", "089");
    set("Global", "Fax", "31694999");
    set("Global", "VeranstaltungsArt", art);
    set("Speziell", "Teilmeisterschaft", "1");
    set("Speziell", "Anlage", "N");
    set("Speziell", "MitTab", "J");
    set("Speziell", "Tabellier", "10");
    set("Speziell", "Serien", "J");
    set("Speziell", "Urkunde", "J");
    set("Speziell", "UrkEinzel", "3");
    set("Speziell", "UrkMannsch", "3");
    set("Speziell", "UrkDatum", "N");
    set("Speziell", "UrkOrt", "Garching-Hochbrück");
    set("Speziell", "Nachdruck", "1");
    set("Speziell", "GesPlatz", "3");
    set("Speziell", "GesEinzeilig", "J");
    set("Speziell", "MannAus", "N");
    set("Speziell", "Mit", "N");
    set("Speziell", "MitVorschub", "N");
    set("Speziell", "OhneTeiln", "N");
    set("Speziell", "Rekorde", "J");
    set("Speziell", "Sekunden", "10");
    set("Speziell", "DurchlaufJa", "N");
    set("Speziell", "EinFrist", "30");
    set("Speziell", "Disqualifikation", "J");
    set("Speziell", "Datum", dayDate(0, "1").toString("dd.MM.yyyy"));
    set("Speziell", "VBWettkampf", "N");
    set("Speziell", "VBWettkampfGesamt", "N");
    set("Speziell", "Waehrung", "0");
    set("Speziell", "W1", "Euro");
    set("Speziell", "W2", "DM");
    set("Speziell", "Ummeldung", "J");
    set("Speziell", "UBetrag", "500");
    set("Speziell", "UmmeldeBetr", "5,00");
    set("Speziell", "TeilStag", "N");
    set("Speziell", "AlterLG", "-12");
    set("Speziell", "AlterKK", "-14");
    set("Speziell", "AlterPist", "-18");
    set("Speziell", "BitmapH", "300");
    set("Speziell", "BitmapL", "400");
    set("Speziell", "BitmapLH", "250");
    set("Speziell", "BitmapLL", "250");
    set("Absender", "Name", "Lechner");
    set("Absender", "Vorname", "Anna");
    set("Absender", "Strasse", "Ingolstädter Landstraße 110");
    set("Absender", "PLZ", "85748");
    set("Absender", "Ort", "Garching-Hochbrück");
    set("Absender", "TVorwahl", "089");
    set("Absender", "Telefon", "3169490");
    set("Absender", "FVorwahl", "089");
    set("Absender", "Fax", "31694999");
    set("Absender", "eMail", "sportleitung@example.org");
    set("Mitarbeiter", "MPauschal", "J");
    set("Mitarbeiter", "FPauschal", "N");
    set("Mitarbeiter", "MComputer", "N");
    set("Mitarbeiter", "MStunden", "N");
    set("Mitarbeiter", "UStunden", "N");
    set("Mitarbeiter", "FKilom", "J");
    set("Mitarbeiter", "MOhne", "N");
    set("Mitarbeiter", "MComp", "2000");
    set("Mitarbeiter", "MPausch", "2500");
    set("Mitarbeiter", "MPauschH", "1500");
    set("Mitarbeiter", "FPausch", "1000");
    set("Mitarbeiter", "FKM", "30");
    set("Mitarbeiter", "MStd", "800");
    set("Mitarbeiter", "UStd", "3");
    set("Scheiben", "VStrasse", "Ingolstädter Landstraße 110");
    set("Scheiben", "VPLZ", "85748");
    set("Scheiben", "VOrt", "Garching-Hochbrück");
    set("Scheiben", "VFVorw", "089");
    set("Scheiben", "VFax", "31694999");
    set("Scheiben", "AVorname", "Anna");
    set("Scheiben", "AName", "Lechner");
    set("Scheiben", "AStrasse", "Schützenweg 3");
    set("Scheiben", "APLZ", "85221");
    set("Scheiben", "AOrt", "Dachau");
    set("Scheiben", "ATVorwahl", "08131");
    set("Scheiben", "ATelefon", "12345");
    set("Scheiben", "AFVorwahl", "08131");
    set("Scheiben", "AFax", "12346");
    set("Scheiben", "AeMail", "anna.lechner@example.org");
    set("Scheiben", "EAdresse", "N");
    set("Scheiben", "Check", "J");
    set("Scheiben", "Termin", dayDate(0, "1").addDays(-21).toString("dd.MM.yyyy"));
    set("Senioren", "UVerein", "N");
}

} // namespace Demo::detail
