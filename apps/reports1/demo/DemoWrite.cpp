// Writing the championship: clubs, members, parameters, starts, teams.

#include "apps/reports1/demo/DemoGenerator.h"

#include <algorithm>
#include <cmath>

namespace Demo::detail {

void Generator::write()
{
    const int id = o_.ident;
    const bool state = regions_ > 1;
    const QString level = state ? "Landesmeisterschaft" : "Bezirksmeisterschaft";
    veranstaltung_ = QString("%1 %2").arg(level).arg(o_.sportjahr);
    const QString region = state ? QString("Bayern") : QString(kRegions[0]);

    Inserter(c_, "ZKTMP", {"Ident", "Veranstalter", "Veranstaltung"})
        .add({id, (state ? "Landesverband " : "Bezirk ") + region + " " + QString::number(o_.sportjahr), veranstaltung_});

    writeClubs();
    writeMembers();
    writeParameters(id);
    writeAdmission(id);
    writeStarts(id);
    writeTeams(id);
    Inserter mitarb(c_, "MITARB", {"Ident", "MitglNr", "Seit", "Name", "Vorname", "Titel", "Jahrgang", "Monat"});
    mitarbInserter_ = &mitarb;
    writeRecords(id);
    writeStaff(id);
    writeDuty(id);
    mitarbInserter_ = nullptr;
    writeTargets(id);
    writeSettings(level, region, state);
    writeFees();
}

void Generator::writeClubs()
{
    Inserter v(c_, "EVEREIN", {"VereinNr", "Name", "Titel", "Abkuerzung", "Strasse", "PLZ", "Ort", "Kreis",
                               "Land", "Vorstand", "Bank", "BLZ", "Konto", "RechNr", "Startgeld"});
    // The regions and districts are on record as clubs "1000", "1100", ...
    std::set<QString> regionsDone;
    for (size_t d = 0; d < districtCodes_.size(); ++d) {
        const QString code = districtCodes_[d];
        const QString land = code.left(1);
        if (regionsDone.insert(land).second)
            v.add({land + "000", QString("Bezirk ") + kRegions[(land.toInt() - 1) % std::size(kRegions)], "",
                   "BZ", "", "", "", land + "0", land, "", "", "", "", "", ""});
        v.add({code + "00", districtNames_[d], "", "GAU", "", "", "", code, land, "", "", "", "", "", ""});
    }
    int rech = 0;
    for (const Club& c : clubs_)
        v.add({c.nr, c.name, c.titel, c.abk, c.strasse, c.plz, c.ort, c.kreis, c.land, c.vorstand,
               "Sparkasse " + c.ort, QString::number(70050000 + rng_.below(99) * 10),
               QString::number(rng_.range(100000, 9999999)), QString("R-%1").arg(++rech), ""});
}

void Generator::writeMembers()
{
    Inserter m(c_, "EMITGLIED", {"MitglNr", "Name", "Vorname", "Titel", "Jahrgang", "Monat", "Tag",
                                 "Geschlecht", "Strasse", "PLZ", "Ort", "HlKlasse", "JahrgangJa", "OrgMitglNr"});
    Inserter mv(c_, "EMITVER", {"MitglNr", "VereinNr", "Auswahl"});
    for (const Member& x : members_) {
        m.add({x.nr, x.name, x.vorname, x.titel, x.jahrgang, x.monat, x.tag, x.sex, x.strasse, x.plz, x.ort,
               x.hlKlasse, "J", x.orgNr});
        QString auswahl = "M";
        if (rng_.chance(0.02))
            auswahl += "V";
        if (rng_.chance(0.03))
            auswahl += "S";
        mv.add({x.nr, clubs_[size_t(x.club)].nr, auswahl});
        if (x.secondClub >= 0)
            mv.add({x.nr, clubs_[size_t(x.secondClub)].nr, "M"});
    }
    // Start declarations: nearly every start has one for its club.
    Inserter ed(c_, "EDISZIPLIN", {"MitglNr", "VereinNr", "Disziplin"});
    std::set<std::tuple<QString, QString, QString>> done;
    for (const Start& s : starts_) {
        if (rng_.chance(0.02))
            continue;
        const Member& x = members_[size_t(s.member)];
        QString club = clubs_[size_t(s.club)].nr;
        if (rng_.chance(0.01) && clubs_.size() > 1)
            club = clubs_[size_t((s.club + 1) % int(clubs_.size()))].nr; // declared for another club
        if (done.insert({x.nr, club, s.disziplin}).second)
            ed.add({x.nr, club, s.disziplin});
    }
}

void Generator::writeParameters(int id)
{
    Inserter pd(c_, "PDISZIPLIN", {"Ident", "Disziplin", "Name", "Kurz", "Kennung", "Ausgabe", "DurchgangsZahl",
                                   "Erstattung", "ErstattungElek", "Zehntel", "Auflage", "OlDisziplin"});
    for (const DisziplinDef& d : disziplinen()) {
        const bool olympic = QString("110 140 180 210 220 240 320").contains(d.code);
        pd.add({id, d.code, d.name, d.kurz, d.kennung, d.ausgabe, 1, d.refund, d.refund + 0.5, d.zehntel,
                d.auflage, olympic ? "J" : "N"});
    }
    Inserter pk(c_, "PKLASSE", {"Ident", "Klasse", "Name", "Kurz", "Zusatz", "Auflage", "Sort", "Zahl"});
    int zahl = 0;
    for (const KlasseDef& k : kKlassen)
        pk.add({id, k.code, k.name, k.kurz, k.zusatz, k.auflage, k.sort, ++zahl});
    Inserter dk(c_, "PDISKLA", {"Ident", "Disziplin", "Klasse", "Teilmeisterschaft", "AnzSerien", "AnzWertung",
                                "AnzMannschaft", "ErgebEinzel", "ErgebFinale", "ErgebFinaleAnz", "ErgebEing",
                                "Druckauftrag", "SteuerKz", "AbwEKlasse", "AbwMKlasse", "OlDisziGrp", "KennzE",
                                "KennzM", "KennzEDSB", "KennzMDSB", "ZaehlerE", "ZaehlerM", "StgGrpEinzel",
                                "StgGrpMannschaft", "Durchgz1", "Durchgz2", "Durchgz1Elek", "Durchgz2Elek",
                                "Elektronisch", "Pause", "ZulassEinzel", "ZulassEinzelAnz", "ZulassMannsch",
                                "ZulassMannschAnz"});
    Inserter ak(c_, "AKLISTE", {"Ident", "KListe", "Klasse"});
    for (const DisziplinDef& d : disziplinen()) {
        for (const char* kc : d.classes) {
            const KlasseDef& k = klasse(kc);
            const int max = d.series * (d.shotsPerSeries == 25 ? 25 : 100);
            const QString kennz = dotted(d.code) + "." + k.code;
            const bool olympicGroup = d.finale && (QString(k.code) == "10" || QString(k.code) == "11");
            const double zulass = (k.feeGroup == 1 && rng_.chance(0.6)) ? std::round(max * 0.85) : 0;
            dk.add({id, d.code, k.code, d.teilm, d.series, 3, 3, max, d.finale ? 109.0 : 0.0, d.finale ? 8 : 0,
                    "", "N", "", k.code, k.team, olympicGroup ? "X" : "", kennz, kennz + "M", kennz, kennz, 0, 0,
                    k.feeGroup, 3, d.relayMinutes, 0, d.relayMinutes - 5, 0, d.electronic ? "J" : "N",
                    d.pauseMinutes, zulass, zulass > 0 ? rng_.range(5, 20) : 0, zulass > 0 ? zulass * 3 : 0.0,
                    zulass > 0 ? rng_.range(2, 6) : 0});
            ak.add({id, d.code, k.code});
        }
    }
    Inserter pa(c_, "PANLAGE", {"Ident", "Anlage", "Name"});
    for (const AnlageDef& a : kAnlagen)
        pa.add({id, a.nr, a.name});
    Inserter wk(c_, "AWKTAG", {"Ident", "WKTag", "Datum", "Status", "Teilmeisterschaft"});
    std::map<QString, int> perTeilm;
    for (const auto& [nr, teilm] : days_)
        wk.add({id, nr, dayDate(perTeilm[teilm]++, teilm), "A", teilm});
    Inserter az(c_, "ASZEIT", {"Ident", "Anlage", "WKTag", "Disziplin", "Von", "Bis", "Anzahl", "ErsterStand",
                               "Freigabe", "KListe"});
    for (const auto& [key, relays] : plan_) {
        const auto& [anlage, tag, disz] = key;
        int stands = 0;
        for (const AnlageDef& a : kAnlagen)
            if (a.nr == anlage)
                stands = a.stands;
        az.add({id, anlage, tag, disz, timeText(relays.front().first), timeText(relays.back().second), stands, 1,
                "J", disz});
    }
    Inserter sg(c_, "PSTARTG", {"Ident", "StgGrp", "Betrag"});
    sg.add({id, 1, 8.0});
    sg.add({id, 2, 5.0});
    sg.add({id, 3, 15.0});
    sg.add({id, 4, 0.0});
    Inserter rg(c_, "EREGEL", {"Nummer", "Regel"});
    rg.add({1, "0.10.2.1"});
    rg.add({2, "1.8.7.2"});
}

void Generator::writeStarts(int id)
{
    Inserter e(c_, "ERGEBNIS",
               {"Ident", "MitglNr", "VereinNr", "Disziplin", "EKlasse", "MVereinNr", "MDisziplin", "MKlasse",
                "MannschNr", "Ergebnis", "LErgebnis", "Finale", "Serien", "Zehner", "Neuner", "Achter",
                "Innenzehner", "ErgZentel", "MessErg", "StechErg", "Zusatz", "Qual", "Abmeldung", "AManuell",
                "Manuell", "Disqualifikation", "Anlage", "WKTag", "WKZeit1", "WKZeit2", "Durchgang", "Stand",
                "StartNr", "WaffenGrp", "Teilmeisterschaft", "DruckDat", "DGID", "ADGID"});
    for (const Start& s : starts_) {
        const Member& m = members_[size_t(s.member)];
        const DisziplinDef& d = disziplin(s.disziplin);
        e.add({id, m.nr, clubs_[size_t(s.club)].nr, s.disziplin, s.klasse, s.mVerein, s.mDisziplin, s.mKlasse,
               s.mannschNr, s.ergebnis, 0.0, s.finale, s.serien, s.zehner, s.neuner, s.achter, s.innen,
               s.ergZentel, s.messErg, s.stech, 0, s.qual, s.abmeldung, s.aManuell, s.manuell, s.disq, s.anlage,
               s.wkTag, s.zeit1 >= 0 ? QVariant(timeText(s.zeit1)) : QVariant(),
               s.zeit2 >= 0 ? QVariant(timeText(s.zeit2)) : QVariant(), s.durchgang, s.stand, s.startNr,
               s.waffenGrp, d.teilm, s.druckDat.isEmpty() ? QVariant() : QVariant(s.druckDat), s.dgid, 0});
    }
    // Starts withdrawn or deleted at the level before.
    Inserter ar(c_, "EARCHIV", {"Ident", "MitglNr", "VereinNr", "Disziplin", "EKlasse", "Ergebnis", "Ebene",
                                "Loeschung"});
    const int archived = std::max(3, int(starts_.size()) / 100);
    for (int i = 0; i < archived; ++i) {
        const Start& s = starts_[size_t(rng_.below(int(starts_.size())))];
        ar.add({id, members_[size_t(s.member)].nr, clubs_[size_t(s.club)].nr, s.disziplin, s.klasse,
                double(rng_.range(200, 380)), 1, i % 2 == 0 ? "X" : ""});
    }
}

void Generator::writeTeams(int id)
{
    Inserter t(c_, "EMANNSCH", {"Ident", "VereinNr", "Disziplin", "MKlasse", "MannschNr", "MannNr", "Ergebnis",
                                "Serie1", "Serie2", "Serie3", "AnzMannsch", "AnzMannschIst", "Qual", "Abmeldung",
                                "MUmmeldung", "Ummeldung", "Rangfolge"});
    for (const Team& x : teams_)
        t.add({id, clubs_[size_t(x.club)].nr, x.disziplin, x.mKlasse, x.nr, int(x.starts.size()), x.ergebnis,
               x.s1, x.s2, x.s3, 3, int(x.starts.size()), x.qual, "N", x.mUmmeldung, x.ummeldung, 0});
}

} // namespace Demo::detail
