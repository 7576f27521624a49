// The shooting-time list: relays, starts and firing points derived from a
// plan entry, and the list of a range with its days and class lines.

#include "tests/preparation/Zentrale.h"

#include "reports1/preparation/VorbSchiesszeit.h"

namespace {

using VorbSchiesszeit::Berechnen;

double uhr(int h, int m) { return (h * 60 + m) / (24.0 * 60); }

TEST(Schiesszeit, RelaysStartsAndFiringPointsOfAPlanEntry)
{
    // 08:00 to 12:00, relays of 50 minutes and 10 minutes' break: 4 relays,
    // 10 points with one start each per relay: 40 starts.
    auto w = Berechnen(uhr(8, 0), uhr(12, 0), 50 + 10, 10, 1, 1, "");
    EXPECT_EQ(w.Durchgaenge, 4);
    EXPECT_EQ(w.Starts, 40);
    EXPECT_EQ(w.VonStand, 1);
    EXPECT_EQ(w.BisStand, 10);
    // A window one minute short of a relay more; two starts per point and relay.
    w = Berechnen(uhr(8, 0), uhr(11, 59), 60, 10, 5, 2, "E");
    EXPECT_EQ(w.Durchgaenge, 3);
    EXPECT_EQ(w.Starts, 15);
    EXPECT_EQ(w.BisStand, 14);
    // No relay length, no starts per point: nothing fits, nothing divides by 0.
    w = Berechnen(uhr(8, 0), uhr(12, 0), 0, 10, 1, 1, "");
    EXPECT_EQ(w.Durchgaenge, 0);
    EXPECT_EQ(w.Starts, 0);
    EXPECT_EQ(Berechnen(uhr(8, 0), uhr(12, 0), 60, 10, 1, 0, "").Starts, 0);
    // Kennung 3: after every two points one stays free; 1 counts like none.
    EXPECT_EQ(Berechnen(uhr(8, 0), uhr(9, 0), 60, 10, 1, 1, "3").BisStand, 15);
    EXPECT_EQ(Berechnen(uhr(8, 0), uhr(9, 0), 60, 10, 7, 1, "1").BisStand, 16);
    EXPECT_EQ(Berechnen(uhr(8, 0), uhr(9, 0), 60, 10, 7, 1, "0").BisStand, 16);
}

class Schiesszeiten : public Zentrale::Test {};

TEST_F(Schiesszeiten, EachRangeOnItsPagesWithDaysEntriesAndClasses)
{
    db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "110"}, {"Name", "Luftgewehr"}, {"DurchgangsZahl", 1}});
    db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "210"}, {"Name", "Luftpistole"}, {"DurchgangsZahl", 1},
                             {"Kennung", "3"}});
    db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", "10"}, {"Name", "Schützenklasse"}, {"Zusatz", "männlich"}});
    db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", "11"}, {"Name", "Damenklasse"}});
    for (const char* d : {"110", "210"})
        for (const char* k : {"10", "11"})
            db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", d}, {"Klasse", k}, {"Durchgz1", 50}, {"Durchgz1Elek", 40},
                                  {"Pause", 10}, {"Elektronisch", QString(d) == "210" ? "J" : "N"}});
    for (auto [kl, k] : {std::pair{"A", "10"}, {"A", "11"}, {"B", "11"}})
        db.insert("AKLISTE", {{"Ident", 1}, {"KListe", kl}, {"Klasse", k}});
    db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 1}, {"Name", "Halle Nord"}});
    db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 2}, {"Name", "Halle Süd"}});
    db.insert("AWKTAG", {{"Ident", 1}, {"WKTag", 1}, {"Datum", "2026-03-07"}, {"Teilmeisterschaft", "1"}});
    db.insert("AWKTAG", {{"Ident", 1}, {"WKTag", 2}, {"Datum", "2026-03-08"}, {"Teilmeisterschaft", "2"}});
    const auto plan = [&](int anlage, int tag, const char* dis, const char* von, const char* bis, const char* kl) {
        db.insert("ASZEIT", {{"Ident", 1}, {"Anlage", anlage}, {"WKTag", tag}, {"Disziplin", dis}, {"Von", von},
                             {"Bis", bis}, {"Anzahl", 10}, {"ErsterStand", 1}, {"KListe", kl}});
    };
    plan(1, 1, "110", "08:00:00", "12:00:00", "A");
    plan(2, 1, "210", "13:00:00", "15:00:00", "B");
    plan(1, 2, "110", "08:00:00", "12:00:00", "A"); // another sub-championship's day
    const Zentrale::Druck d = drucken("bt_Schiesszeiten");
    EXPECT_EQ(d.titel, "Schiesszeiten");
    ASSERT_EQ(d.seiten.size(), 2);
    EXPECT_EQ(d.texte(),
              (QStringList{"Schiesszeiten Teilmeisterschaft 1", "Bezirksmeisterschaft 2026", "1|Halle Nord",
                           "Tag:|1|07.03.2026", "von Zeit|bis Zeit|von St.|bis St.|Anz.|Durchg.|Starts",
                           "1.10|Luftgewehr|08:00|12:00|1|10|10|4|40", "10|Schützenklasse männlich", "11|Damenklasse",
                           "2|Halle Süd", "Tag:|1|07.03.2026", "von Zeit|bis Zeit|von St.|bis St.|Anz.|Durchg.|Starts",
                           // electronic targets: 40 + 10 minutes; Kennung 3
                           "2.10|Luftpistole|13:00|15:00|1|15|10|2|20", "11|Damenklasse"}));
    EXPECT_EQ(ReportTest::layoutFindings(ui->previews.last().file), "");
}

} // namespace
