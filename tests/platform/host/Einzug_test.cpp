// Money and direct debits: amounts typed the German way and added in
// cents, IBAN and creditor-identifier check digits, the mandate file, the
// exchange file's records and check sums, the SEPA file against the
// published schema, and the whole debit on a championship database,
// where bad input writes no file at all.

#include "platform/host/Cent.h"
#include "platform/host/Einzug.h"
#include "platform/host/Qvclock.h"
#include "platform/host/Qvpaths.h"
#include "platform/host/Schtools.h"
#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "tests/support/Fixture.h"
#include "tests/support/QtGtest.h"
#include "tests/support/SepaSchema.h"
#include "tests/support/TestHostUi.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(Cent, GermanInputBecomesWholeCents)
{
    auto lesen = [](const QString& t) {
        qint64 c = -1;
        QString f;
        return Cent::Lesen(t, c, &f) ? QString::number(c) : f;
    };
    EXPECT_EQ(lesen("25"), "2500");
    EXPECT_EQ(lesen("19,99"), "1999");
    EXPECT_EQ(lesen("19,9"), "1990");
    EXPECT_EQ(lesen(" 0,10 "), "10");
    EXPECT_EQ(lesen("1.234,50"), "123450");
    EXPECT_EQ(lesen("1.234"), "123400"); // a point before three digits groups thousands
    EXPECT_EQ(lesen("19.99"), "1999");   // before one or two it is the decimal point
    EXPECT_EQ(lesen("25 €"), "2500");
    EXPECT_EQ(lesen("0"), "0");
    EXPECT_EQ(lesen(""), "0");
    EXPECT_EQ(lesen("0,005"), "Der Betrag 0,005 hat mehr als zwei Nachkommastellen.");
    EXPECT_EQ(lesen("zwanzig"), "Der Betrag zwanzig ist keine gültige Zahl.");
    EXPECT_EQ(lesen("12,3,4"), "Der Betrag 12,3,4 ist keine gültige Zahl.");
    EXPECT_EQ(lesen("-5"), "Der Betrag -5 darf nicht negativ sein.");
    EXPECT_EQ(lesen("999999999,99"), "99999999999");
    EXPECT_EQ(lesen("1000000000"), "Der Betrag 1000000000 ist größer als 999.999.999,99.");

    EXPECT_EQ(Cent::Text(2500), "25,00");
    EXPECT_EQ(Cent::Text(5), "0,05");
    EXPECT_EQ(Cent::Text(-50), "-0,50");
    EXPECT_EQ(Cent::PunktText(123456), "1234.56");
    EXPECT_EQ(Cent::StartgeldText(2500), "0000002500"); // six zeros and 2500
    EXPECT_EQ(Cent::StartgeldText(123456789012), "123456789012");
    EXPECT_EQ(Cent::StartgeldText(0), "");
    qint64 c = 0;
    EXPECT_TRUE(Cent::AusStartgeld("0000002500", c));
    EXPECT_EQ(c, 2500);
    EXPECT_FALSE(Cent::AusStartgeld("", c));
    EXPECT_EQ(c, 0);
    // REAL columns round to the nearest cent; 0.1 + 0.2 is no trouble.
    EXPECT_EQ(Cent::AusBetrag(8.0), 800);
    EXPECT_EQ(Cent::AusBetrag(0.1 + 0.2), 30);
    EXPECT_EQ(Cent::AusBetrag(19.99), 1999);
}

TEST(Cent, ATenthOfAEuroAThousandTimesIsExactlyAHundred)
{
    qint64 zehn = 0;
    ASSERT_TRUE(Cent::Lesen("0,10", zehn));
    qint64 summe = 0;
    double gleitend = 0;
    for (int i = 0; i < 1000; ++i) {
        summe += zehn;
        gleitend += 0.10;
    }
    EXPECT_EQ(Cent::Text(summe), "100,00");
    EXPECT_NE(gleitend, 100.0); // what adding in floating point would have given
}

TEST(Iban, CheckDigitsFromBankCodeAndAccount)
{
    EXPECT_EQ(Einzug::IbanAusKonto("37040044", "0532013000"), "DE89370400440532013000");
    EXPECT_EQ(Einzug::IbanAusKonto("37040044", "532013000"), "DE89370400440532013000"); // padded
    EXPECT_EQ(Einzug::IbanAusKonto("70250150", "1234567"), "DE27702501500001234567");
    EXPECT_EQ(Einzug::IbanAusKonto("10000000", "17"), "DE06100000000000000017"); // check digits below 10
    EXPECT_EQ(Einzug::IbanAusKonto("3704004", "532013000"), "");   // seven-digit bank code
    EXPECT_EQ(Einzug::IbanAusKonto("37040044", "12345678901"), ""); // eleven digits
    EXPECT_EQ(Einzug::IbanAusKonto("37040044", "0"), "");
    EXPECT_EQ(Einzug::IbanAusKonto("37040044", "53201x000"), "");
    for (const QString& iban : {Einzug::IbanAusKonto("70250150", "1234567"), QString("DE89 3704 0044 0532 0130 00"),
                                QString("AT611904300234573201"), QString("GB29NWBK60161331926819")})
        EXPECT_TRUE(Einzug::IbanGueltig(iban)) << iban.toStdString();
    EXPECT_FALSE(Einzug::IbanGueltig("DE88370400440532013000")); // one check digit off
    EXPECT_FALSE(Einzug::IbanGueltig("DE89370400440532013001")); // one account digit off
    EXPECT_FALSE(Einzug::IbanGueltig("DE8937040044053201300"));  // one short

    EXPECT_TRUE(Einzug::GlaeubigerIdGueltig("DE98ZZZ09999999999"));
    EXPECT_TRUE(Einzug::GlaeubigerIdGueltig("de98 abc 09999999999")); // the business code does not count
    EXPECT_FALSE(Einzug::GlaeubigerIdGueltig("DE97ZZZ09999999999"));
    EXPECT_FALSE(Einzug::GlaeubigerIdGueltig("DE98ZZZ0999999999"));

    QString f;
    Einzug::TKonto k = Einzug::KontoLesen("", "DE89 3704 0044 0532 0130 00", f);
    EXPECT_TRUE(f.isEmpty());
    EXPECT_EQ(k.Blz, "37040044");
    EXPECT_EQ(k.Konto, "0532013000");
    k = Einzug::KontoLesen("", "AT611904300234573201", f);
    EXPECT_TRUE(f.isEmpty());
    EXPECT_TRUE(k.Blz.isEmpty()); // a foreign account has no German bank code
    Einzug::KontoLesen("", "", f);
    EXPECT_EQ(f, "keine Bankverbindung");
    Einzug::KontoLesen("3704004", "532013000", f);
    EXPECT_EQ(f, "die Bankverbindung BLZ 3704004, Konto 532013000 ist unvollständig oder falsch");
    Einzug::KontoLesen("", "DE88370400440532013000", f);
    EXPECT_EQ(f, "die IBAN DE88370400440532013000 ist ungültig");
}

class Mandate : public ::testing::Test {
protected:
    QString datei(const QByteArray& inhalt)
    {
        const QString p = dir.filePath("Mandatsreferenzen Verband.csv");
        QFile f(p);
        f.open(QIODevice::WriteOnly);
        f.write(inhalt);
        return p;
    }
    QString fehler(const QByteArray& inhalt)
    {
        try {
            Einzug::MandateLesen(datei(inhalt));
        } catch (const EHostFehler& e) {
            return e.Message();
        }
        return "kein Fehler";
    }
    QTemporaryDir dir;
};

TEST_F(Mandate, ReferencesAndSignatureDatesOfTheFile)
{
    EXPECT_TRUE(Einzug::MandateLesen(dir.filePath("fehlt.csv")).empty());
    const auto m = Einzug::MandateLesen(datei("VereinsNr;Mandatsreferenz;Datum\r\n1101;MR-1101;01.02.2024\r\n\r\n"
                                              "1102 ; MR 1102 \r\n;;\r\n1103;MR/3;3.4.2023\n"));
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m.at("1101").Referenz, "MR-1101");
    EXPECT_EQ(m.at("1101").Unterschrift, QDate(2024, 2, 1));
    EXPECT_EQ(m.at("1102").Referenz, "MR 1102");
    EXPECT_FALSE(m.at("1102").Unterschrift.isValid());
    // "Ä" written by a Windows program: read as Windows-1252, then refused,
    // since a mandate reference carries no umlaut.
    EXPECT_EQ(fehler("1103;\xC4nderung-1;3.4.2023\n"),
              "Die Datei der Mandatsreferenzen \"Mandatsreferenzen Verband.csv\" ist in Zeile 1 fehlerhaft: die "
              "Mandatsreferenz \"Änderung-1\" ist länger als 32 Zeichen oder enthält Zeichen, die eine Lastschrift "
              "nicht tragen kann.");
    EXPECT_EQ(fehler("1101;MR-1\n1102;\n"), "Die Datei der Mandatsreferenzen \"Mandatsreferenzen Verband.csv\" ist in "
                                             "Zeile 2 fehlerhaft: die Mandatsreferenz für den Verein 1102 fehlt.");
    EXPECT_TRUE(fehler("1101;MR-1;31.02.2024\n").endsWith("das Datum der Unterschrift \"31.02.2024\" ist kein Datum (TT.MM.JJJJ)."));
    EXPECT_TRUE(fehler("1101;" + QByteArray(33, 'A') + "\n").contains("länger als 32 Zeichen"));
    EXPECT_TRUE(fehler("1101;A\n1101;B\n").endsWith("der Verein 1101 steht zweimal in der Datei."));
    // A file that exists but cannot be read.
    QDir(dir.path()).mkdir("Mandatsreferenzen Ordner.csv");
    try {
        Einzug::MandateLesen(dir.filePath("Mandatsreferenzen Ordner.csv"));
        ADD_FAILURE() << "ein Ordner ist keine Mandatsdatei";
    } catch (const EHostFehler& e) {
        EXPECT_TRUE(e.Message().startsWith("Die Datei der Mandatsreferenzen \"Mandatsreferenzen Ordner.csv\" kann nicht "
                                           "gelesen werden"));
    }
}

// Two clubs, one with a name longer than a field.
Einzug::TAuftrag auftrag()
{
    Einzug::TAuftrag a;
    a.Name = "Schützenbezirk Oberbayern";
    QString f;
    a.Konto = Einzug::KontoLesen("70250150", "1234567", f);
    a.GlaeubigerId = "DE98ZZZ09999999999";
    a.Text1 = "Startgeld Meisterschaft";
    a.Text2 = "Bezirk 2025";
    a.ErstelltUm = QDateTime(QDate(2025, 3, 1), QTime(9, 30));
    a.Erstellt = a.ErstelltUm.date();
    a.Faellig = QDate(2025, 3, 21);
    Einzug::TPosten p;
    p.VereinNr = "1101";
    p.Name = "Immergrün-Alpenrose Oberschleißheim 1878 e.V.";
    p.Konto = Einzug::KontoLesen("37040044", "532013000", f);
    p.Cent = 2500;
    p.Mandat = "MR-1101";
    p.Unterschrift = QDate(2024, 2, 1);
    a.Posten << p;
    p.VereinNr = "1102";
    p.Name = "D'Hubertusschützen Aising";
    p.Konto = Einzug::KontoLesen("70050010", "9876543", f);
    p.Cent = 1999;
    p.Mandat = "MR-1102";
    a.Posten << p;
    return a;
}

TEST(Dtaus, RecordsFieldsAndCheckSums)
{
    EXPECT_EQ(Einzug::DtausText("Schützenbezirk Süd & Öd", 27), QByteArray("SCH]TZENBEZIRK S]D & \\D    "));
    EXPECT_EQ(Einzug::DtausText("Straße; José", 12), QByteArray("STRA~E  JOSE"));

    const QByteArray d = Einzug::DtausDatei(auftrag());
    ASSERT_EQ(d.size(), 128 + 2 * 256 + 128);
    const QByteArray a = d.left(128);
    EXPECT_EQ(a.left(7), "0128ALK");
    EXPECT_EQ(a.mid(7, 8), "70250150");
    EXPECT_EQ(a.mid(15, 8), "00000000");
    EXPECT_EQ(a.mid(23, 27), "SCH]TZENBEZIRK OBERBAYERN  ");
    EXPECT_EQ(a.mid(50, 6), "010325");
    EXPECT_EQ(a.mid(60, 10), "0001234567");
    EXPECT_EQ(a.right(1), "1");

    // The long name goes on in extension 01, the second text in 02.
    const QByteArray c = d.mid(128, 256);
    EXPECT_EQ(c.left(5), "0245C");
    EXPECT_EQ(c.mid(13, 8), "37040044");
    EXPECT_EQ(c.mid(21, 10), "0532013000");
    EXPECT_EQ(c.mid(44, 5), "05000");
    EXPECT_EQ(c.mid(61, 8), "70250150");
    EXPECT_EQ(c.mid(69, 10), "0001234567");
    EXPECT_EQ(c.mid(79, 11), "00000002500");
    EXPECT_EQ(c.mid(93, 27), "IMMERGR]N-ALPENROSE OBERSCH");
    EXPECT_EQ(c.mid(128, 27), "SCH]TZENBEZIRK OBERBAYERN  ");
    EXPECT_EQ(c.mid(155, 27), "STARTGELD MEISTERSCHAFT    ");
    EXPECT_EQ(c.mid(182, 5), "1  02");
    EXPECT_EQ(c.mid(187, 29), QByteArray("01LEI~HEIM 1878 E.V.").leftJustified(29));
    EXPECT_EQ(c.mid(216, 29), QByteArray("02BEZIRK 2025").leftJustified(29));
    const QByteArray c2 = d.mid(384, 256);
    EXPECT_EQ(c2.left(5), "0216C"); // one extension: the second text
    EXPECT_EQ(c2.mid(93, 27), "D HUBERTUSSCH]TZEN AISING  ");

    // Trailer: count, sums of the account numbers, bank codes and amounts.
    const QByteArray e = d.right(128);
    EXPECT_EQ(e.left(5), "0128E");
    EXPECT_EQ(e.mid(10, 7), "0000002");
    EXPECT_EQ(e.mid(17, 13), "0000000000000");
    EXPECT_EQ(e.mid(30, 17), QByteArray::number(532013000LL + 9876543).rightJustified(17, '0'));
    EXPECT_EQ(e.mid(47, 17), QByteArray::number(37040044LL + 70050010).rightJustified(17, '0'));
    EXPECT_EQ(e.mid(64, 13), "0000000004499");
    const Einzug::TSummen s = Einzug::Summen(auftrag());
    EXPECT_EQ(s.Konten, 541889543);
    EXPECT_EQ(s.Bankleitzahlen, 107090054);
    EXPECT_EQ(s.Cent, 4499);
    EXPECT_EQ(s.Anzahl, 2);
}

TEST(Sepa, TheFileValidatesAgainstTheSchemaAndCarriesEveryClub)
{
    const QByteArray x = Einzug::SepaDatei(auftrag(), "STARTGELD-20250301093000");
    EXPECT_EQ(SepaSchema::Pruefen(x), "");
    const QString t = QString::fromUtf8(x);
    for (const char* teil : {"<NbOfTxs>2</NbOfTxs>", "<CtrlSum>44.99</CtrlSum>", "<Cd>CORE</Cd>",
                             "<ReqdColltnDt>2025-03-21</ReqdColltnDt>", "<Id>DE98ZZZ09999999999</Id>",
                             "<IBAN>DE27702501500001234567</IBAN>", "<IBAN>DE89370400440532013000</IBAN>",
                             "<InstdAmt Ccy=\"EUR\">25.00</InstdAmt>", "<InstdAmt Ccy=\"EUR\">19.99</InstdAmt>",
                             "<MndtId>MR-1101</MndtId>", "<DtOfSgntr>2024-02-01</DtOfSgntr>",
                             "<Nm>Immergrün-Alpenrose Oberschleißheim 1878 e.V.</Nm>",
                             "<Ustrd>Startgeld Meisterschaft Bezirk 2025</Ustrd>",
                             "<EndToEndId>STARTGELD-20250301093000-1102</EndToEndId>"})
        EXPECT_TRUE(t.contains(QString::fromUtf8(teil))) << teil;
    EXPECT_EQ(t.count("<DrctDbtTxInf>"), 2);

    // The check itself finds a broken file.
    QByteArray kaputt = x;
    kaputt.replace("<ReqdColltnDt>2025-03-21</ReqdColltnDt>", "<ReqdColltnDt>21.03.2025</ReqdColltnDt>");
    EXPECT_NE(SepaSchema::Pruefen(kaputt), "");
}

// The whole debit on a championship database.
class Bankeinzug : public ::testing::Test {
protected:
    void SetUp() override
    {
        Qvpaths::SetProgramFolder(db.folder());
        Qvclock::SetNow(QDateTime(QDate(2025, 3, 1), QTime(9, 30)));
        db.setting("Global", "Verband", "Schützenbezirk Oberbayern");
        db.setting("Global", "Veranst1", "Schützenbezirk");
        db.setting("Global", "Veranst2", "Oberbayern");
        db.setting("Global", "BLZ", "70250150");
        db.setting("Global", "Konto", "1234567");
        db.setting("Global", "GläubigerID", "DE98ZZZ09999999999");
        db.setting("Allgemein", "LastschriftTage", "14");
        verein("1101", "SG Tell", "37040044", "532013000", "0000002500");
        verein("1102", "FSG Aising", "", "DE27 7025 0150 0001 2345 67", "0000001999");
        verein("1103", "KK Moosach", "", "", "");          // no fee: no bank data needed
        verein("1104", "SV Ohne", "70050010", "1", "0000000000"); // a fee of 0 is none
        mandate("1101;MR-1101;01.02.2024\n1102;MR-1102\n");
        ziel = db.folder() + "/Bank";
    }
    void TearDown() override { Qvclock::SetNow(QDateTime()); }

    void verein(const QString& nr, const QString& name, const QString& blz, const QString& konto, const QString& stg)
    {
        db.insert("EVEREIN", {{"VereinNr", nr}, {"Name", name}, {"BLZ", blz}, {"Konto", konto}, {"Startgeld", stg}});
    }
    void mandate(const QByteArray& inhalt)
    {
        QFile f(Einzug::MandatsDatei());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(inhalt);
    }
    bool erstellen()
    {
        auto q = Datamod::DataModule1()->DynQuery("SELECT * FROM EVEREIN ORDER BY VereinNr");
        return Schtools::EinzugErstellen(*q, true, "Startgeld 2025", "", ziel, ergebnis);
    }
    // The message of a debit that must fail, and no file written.
    QString fehler()
    {
        try {
            erstellen();
        } catch (const EHostFehler& e) {
            EXPECT_FALSE(QFile::exists(ziel + "/DTAUS0.TXT"));
            EXPECT_FALSE(QFile::exists(ziel + "/SEPA-Lastschrift.xml"));
            return e.Message();
        }
        return "kein Fehler";
    }
    QByteArray lesen(const QString& name)
    {
        QFile f(ziel + "/" + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    Fixture::Database db;
    Host::TestUiGuard ui;
    QString ziel;
    QStringList ergebnis;
};

TEST_F(Bankeinzug, WritesBothFilesOfTheClubsWithAFee)
{
    ASSERT_TRUE(erstellen());
    EXPECT_EQ(ergebnis, (QStringList{"4499", "2", QString::number(532013000LL + 1234567),
                                     QString::number(37040044LL + 70250150), "15.03.2025"}));
    const QByteArray d = lesen("DTAUS0.TXT");
    ASSERT_EQ(d.size(), 128 + 2 * 256 + 128);
    EXPECT_EQ(d.mid(128 + 79, 11), "00000002500");
    EXPECT_EQ(d.mid(384 + 13, 18), "702501500001234567"); // bank code and account from the IBAN
    const QByteArray x = lesen("SEPA-Lastschrift.xml");
    EXPECT_EQ(SepaSchema::Pruefen(x), "");
    // Without a date in the file the mandate counts from the first debit
    // made with the program, which is today's and is kept.
    EXPECT_TRUE(QString::fromUtf8(x).simplified().contains("<MndtId>MR-1102</MndtId> <DtOfSgntr>2025-03-01</DtOfSgntr>"));
    EXPECT_EQ(db.value("SELECT Wert FROM QVSETTINGS WHERE Schluessel = 'ErsteLastschrift'").toString(), "01.03.2025");
    EXPECT_TRUE(ui->messages.isEmpty());

    // A setting gives the date of mandates signed together.
    db.setting("Allgemein", "MandatsDatum", "15.01.2024");
    Qvclock::SetNow(QDateTime(QDate(2025, 4, 1), QTime(9, 30)));
    ui->answers = {Host::mrYes};
    ASSERT_TRUE(erstellen());
    EXPECT_TRUE(lesen("SEPA-Lastschrift.xml").contains("<DtOfSgntr>2024-01-15</DtOfSgntr>"));
    EXPECT_TRUE(lesen("SEPA-Lastschrift.xml").contains("<DtOfSgntr>2024-02-01</DtOfSgntr>")); // the file's own
    EXPECT_EQ(ui->messageTexts().value(0), "Im Ordner " + QDir::toNativeSeparators(ziel)
                                               + " gibt es schon DTAUS0.TXT und SEPA-Lastschrift.xml.\r\nSollen die "
                                                 "Dateien ersetzt werden?");
}

TEST_F(Bankeinzug, BadInputWritesNothing)
{
    // Existing files stay unless the user agrees to replace them.
    QDir().mkpath(ziel);
    QFile alt(ziel + "/DTAUS0.TXT");
    ASSERT_TRUE(alt.open(QIODevice::WriteOnly));
    alt.write("alt");
    alt.close();
    ui->answers = {Host::mrNo};
    EXPECT_FALSE(erstellen());
    EXPECT_EQ(lesen("DTAUS0.TXT"), "alt");
    EXPECT_FALSE(QFile::exists(ziel + "/SEPA-Lastschrift.xml"));
    QFile::remove(ziel + "/DTAUS0.TXT");

    // Every club that cannot be debited is named at once.
    db.exec("UPDATE EVEREIN SET BLZ = '', Konto = '' WHERE VereinNr = '1101'");
    db.exec("UPDATE EVEREIN SET Startgeld = '0000000500' WHERE VereinNr = '1103'");
    EXPECT_EQ(fehler(), "Der Bankeinzug wurde nicht erstellt:\r\nVerein 1101 SG Tell: keine Bankverbindung\r\n"
                        "Verein 1103 KK Moosach: keine Bankverbindung\r\nVerein 1103 KK Moosach: keine "
                        "Mandatsreferenz in \"Mandatsreferenzen Schützenbezirk Oberbayern.csv\"");
    db.exec("UPDATE EVEREIN SET Startgeld = '' WHERE VereinNr = '1103'");
    db.exec("UPDATE EVEREIN SET BLZ = '37040044', Konto = '532013000' WHERE VereinNr = '1101'");

    mandate("1101;MR-1101;01.02.2024\n1102;MR-1102;30.02.2024\n");
    EXPECT_TRUE(fehler().endsWith("ist in Zeile 2 fehlerhaft: das Datum der Unterschrift \"30.02.2024\" ist kein "
                                  "Datum (TT.MM.JJJJ)."));
    mandate("1101;MR-1101;01.04.2025\n1102;MR-1102\n");
    EXPECT_EQ(fehler(), "Der Bankeinzug wurde nicht erstellt:\r\nVerein 1101 SG Tell: das Mandat ist auf den "
                        "01.04.2025 datiert, nach heute");
    mandate("1101;MR-1101\n1102;MR-1102\n");

    db.setting("Global", "GläubigerID", "DE97ZZZ09999999999");
    db.setting("Global", "Konto", "DE00 1234");
    EXPECT_EQ(fehler(), "Der Bankeinzug wurde nicht erstellt:\r\nVerband (Einstellungen BLZ und Konto): die IBAN "
                        "DE00 1234 ist ungültig\r\nVerband: die Gläubiger-ID DE97ZZZ09999999999 ist ungültig");
    db.setting("Global", "GläubigerID", "DE98ZZZ09999999999");
    db.setting("Global", "Konto", "1234567");

    db.setting("Allgemein", "LastschriftTage", "1");
    EXPECT_EQ(fehler(), "Die Lastschrift braucht mindestens 2 Tage Vorlauf; die Einstellung \"LastschriftTage\" ist 1.");
    db.setting("Allgemein", "LastschriftTage", "");

    db.exec("UPDATE EVEREIN SET Startgeld = ''");
    EXPECT_EQ(fehler(), "Es gibt keine Startgelder für den Bankeinzug: kein Verein hat ein Startgeld eingetragen.");
    EXPECT_TRUE(ergebnis.isEmpty());
}

// The fees of a small championship: starts and teams by fee group, late
// entries, re-registrations.
TEST(Startgelder, StartsTeamsAndReRegistrationsMakeTheClubsFees)
{
    Fixture::Database db;
    db.setting("Speziell", "Teilmeisterschaft", "1");
    db.insert("PSTARTG", {{"Ident", 1}, {"StgGrp", 1}, {"Betrag", 8.0}});
    db.insert("PSTARTG", {{"Ident", 1}, {"StgGrp", 2}, {"Betrag", 0.10}});
    db.insert("PSTARTG", {{"Ident", 1}, {"StgGrp", 3}, {"Betrag", 15.0}});
    db.insert("PSTARTG", {{"Ident", 1}, {"StgGrp", 4}, {"Betrag", 0.0}});
    db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "10"}, {"Teilmeisterschaft", "1"},
                          {"StgGrpEinzel", 1}, {"StgGrpMannschaft", 3}});
    db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "20"}, {"Teilmeisterschaft", "1"},
                          {"StgGrpEinzel", 2}, {"StgGrpMannschaft", 3}});
    db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "320"}, {"Klasse", "10"}, {"Teilmeisterschaft", "2"},
                          {"StgGrpEinzel", 4}, {"StgGrpMannschaft", 3}});
    for (const char* nr : {"1101", "1102", "1103"})
        db.insert("EVEREIN", {{"VereinNr", nr}, {"Startgeld", "0000009999"}});
    db.insert("ERGEBNIS", {{"Ident", 1}, {"VereinNr", "1101"}, {"Disziplin", "110"}, {"EKlasse", "10"},
                           {"MVereinNr", "1101"}, {"MDisziplin", "110"}, {"MKlasse", "10"}, {"MannschNr", "1"},
                           {"AManuell", "X"}}); // entered later, in team 1
    db.insert("ERGEBNIS", {{"Ident", 1}, {"VereinNr", "1101"}, {"Disziplin", "110"}, {"EKlasse", "10"}});
    // A thousand starts at 0,10.
    db.exec("INSERT INTO ERGEBNIS (Ident,VereinNr,Disziplin,EKlasse)\r\n"
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000)\r\n"
            "SELECT 1,'1102','110','20' FROM n");
    db.insert("ERGEBNIS", {{"Ident", 1}, {"VereinNr", "1103"}, {"Disziplin", "320"}, {"EKlasse", "10"}}); // 0 €
    db.insert("ERGEBNIS", {{"Ident", 2}, {"VereinNr", "1103"}, {"Disziplin", "110"}, {"EKlasse", "10"}}); // other
    db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", "1101"}, {"Disziplin", "110"}, {"MKlasse", "10"},
                           {"MannschNr", "1"}, {"Ummeldung", 1}});
    db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", "1101"}, {"Disziplin", "110"}, {"MKlasse", "10"},
                           {"MannschNr", "2"}});

    std::map<int, int> teams;
    Schtools::MannschaftStartZaehlen("1101", false, false, teams);
    EXPECT_EQ(teams, (std::map<int, int>{{3, 2}}));
    teams.clear();
    Schtools::MannschaftStartZaehlen("1101", false, true, teams); // only the team with a late start
    EXPECT_EQ(teams, (std::map<int, int>{{3, 1}}));
    teams.clear();
    Schtools::MannschaftStartZaehlenDetail("1101", true, false, teams);
    EXPECT_EQ(teams, (std::map<int, int>{{3, 2}}));
    EXPECT_EQ(db.value("SELECT ZaehlerM FROM PDISKLA WHERE Disziplin = '110' AND Klasse = '10'").toInt(), 2);

    auto fees = [&] {
        QStringList l;
        for (const char* nr : {"1101", "1102", "1103"})
            l << db.value(QString("SELECT Startgeld FROM EVEREIN WHERE VereinNr = '%1'").arg(nr)).toString();
        return l;
    };
    Schtools::StartgelderRechnen(nullptr, false, false, false, 1);
    EXPECT_EQ(fees(), (QStringList{"0000004600", "0000010000", ""})); // 2 x 8 + 2 x 15; 1000 x 0,10
    db.setting("Speziell", "Ummeldung", "J");
    db.setting("Speziell", "UBetrag", "500");
    Schtools::StartgelderRechnen(nullptr, false, false, false, 1);
    EXPECT_EQ(fees(), (QStringList{"0000005100", "0000010000", ""}));
    Schtools::StartgelderRechnen(nullptr, false, true, false, 1); // late entries only
    EXPECT_EQ(fees(), (QStringList{"0000002800", "", ""}));       // 8 + 15 + 5
}

} // namespace
