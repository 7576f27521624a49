// The admission figures driven through their dialog: which classes are
// listed and with which texts ("Alle", the team figure's rules, starter
// counts), the sub-championships, the landscape matrix of class groups
// (paired classes, more than 12 groups, rest position), the HTML page from
// the centre (HTML5 check, the question before replacing), the RTF file in
// LibreOffice, and the layout check on a generated championship.

#include "reports1/preparation/Zulassung.h"

#include "Zentrale.h"
#include "platform/host/Qvclock.h"
#include "tests/platform/report/HtmlCheck.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

using Zentrale::Druck;

namespace {

class Zulassungsliste : public Zentrale::Test {
protected:
    void SetUp() override
    {
        Zentrale::Test::SetUp();
        Zulassung::DruckjobID = 0;
        Qvclock::SetNow(QDateTime(QDate(2026, 3, 1), QTime(10, 0)));
    }
    void TearDown() override
    {
        Qvclock::SetNow({});
        Zentrale::Test::TearDown();
    }

    void klasse(const QString& k, const QString& name, const QString& sort, const QString& zusatz = {},
                const QString& auflage = "N")
    {
        db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", k}, {"Name", name}, {"Kurz", name.left(6)}, {"Sort", sort},
                              {"Zusatz", zusatz}, {"Auflage", auflage}});
    }
    void zahlen(const QString& dis, const QString& kla, double einzel, int einzelAnz, double mannsch, int mannschAnz,
                const QString& abw, const QString& teilm = "1")
    {
        db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", dis}, {"Klasse", kla}, {"Teilmeisterschaft", teilm},
                              {"ZulassEinzel", einzel}, {"ZulassEinzelAnz", einzelAnz}, {"ZulassMannsch", mannsch},
                              {"ZulassMannschAnz", mannschAnz}, {"AbwMKlasse", abw}});
    }
    // 110 and 120 with classes 10/11 (one group, men and women), 20 alone;
    // 130 of sub-championship 2; 111 a rest-position discipline.
    void meisterschaft()
    {
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "110"}, {"Name", "Luftgewehr"}});
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "120"}, {"Name", "Luftpistole"}});
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "130"}, {"Name", "Kleinkaliber"}});
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "111"}, {"Name", "Luftgewehr Auflage"}, {"Auflage", "J"}});
        klasse("10", "Schützenklasse", "A", "männlich");
        klasse("11", "Damenklasse", "A", "weiblich");
        klasse("20", "Jugendklasse", "B");
        klasse("60", "Seniorenklasse A", "G", "", "J");
        zahlen("110", "10", 370, 12, 1100, 3, "10");
        zahlen("110", "11", 0, 5, 0, 0, "10");       // everyone admitted; no team class of its own
        zahlen("110", "20", 0, 0, 0, 0, "20");       // nothing: not listed
        zahlen("120", "10", 360.5, 0, 0, 2, "10");   // team: everyone
        zahlen("120", "20", 300, 4, 0, 1, "XX20");   // team 0 under "XX": empty
        zahlen("130", "10", 200, 1, 0, 0, "10", "2");
        zahlen("111", "60", 280, 6, 0, 0, "60");
    }

    Vcl::TFormDriver::Outcome ausfuehren(Host::TAuswahl code, const QList<QPair<QString, QString>>& ctls)
    {
        Vcl::TFormDriver d;
        for (const auto& [n, w] : ctls)
            d.AddCtl(n, w);
        d.AddClick("bt_OK");
        const auto outcome = d.Run([&] { Zulassung::Zulassungsliste(code); });
        fehler = d.ErrorText();
        return outcome;
    }
    Druck liste(Host::TAuswahl code, const QList<QPair<QString, QString>>& ctls = {})
    {
        const qsizetype vorher = ui->previews.size();
        EXPECT_EQ(ausfuehren(code, ctls), Vcl::TFormDriver::Ok) << fehler.toStdString();
        EXPECT_EQ(ui->previews.size(), vorher + 1) << ui->messageTexts().join(" / ").toStdString();
        if (ui->previews.size() != vorher + 1)
            return {};
        EXPECT_EQ(ReportTest::layoutFindings(ui->previews.last().file), "");
        return Zentrale::lesen(ui->previews.last());
    }
    // The rows of a page's tables: "th:" or "td:" and the cells' texts joined by "|".
    static QStringList zeilen(const QString& html)
    {
        QStringList out;
        static const QRegularExpression tr("<tr>(.*?)</tr>"), zelle("<(t[hd])[^>]*>(.*?)</t[hd]>"), tag("<[^>]*>");
        for (auto r = tr.globalMatch(html); r.hasNext();) {
            QStringList texte;
            QString art;
            for (auto c = zelle.globalMatch(r.next().captured(1)); c.hasNext();) {
                const auto m = c.next();
                art = m.captured(1);
                texte << QString(m.captured(2)).remove(tag);
            }
            out << art + ":" + texte.join('|');
        }
        return out;
    }
    QString inhalt(const QString& pfad)
    {
        QFile f(pfad);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
};

} // namespace

TEST_F(Zulassungsliste, PortraitListsEveryClassWithAFigureAndSaysAlleForEveryone)
{
    meisterschaft();
    Druck d = liste(Host::fDurchgang);
    EXPECT_EQ(d.titel, "Zulassungszahlen");
    EXPECT_EQ(Zulassung::DruckjobID, ui->previews.last().id);
    const QStringList t = d.texte();
    EXPECT_EQ(t.value(0), "Zulassungszahlen der Teilm. 1");
    EXPECT_EQ(t.value(1), "Bezirksmeisterschaft 2026");
    EXPECT_EQ(t.mid(2), (QStringList{
                            "1.10|Luftgewehr|Einzel|Anzahl|Mannschaft|Anzahl",
                            "10|Schützenklasse|370|12|1100|3",
                            "11|Damenklasse|Alle|5|0",
                            "1.11|Luftgewehr Auflage|Einzel|Anzahl|Mannschaft|Anzahl",
                            "60|Seniorenklasse A|280|6|Alle|0",
                            "1.20|Luftpistole|Einzel|Anzahl|Mannschaft|Anzahl",
                            "10|Schützenklasse|360,5|0|Alle|2",
                            "20|Jugendklasse|300|4|1",
                        }));
    // Alternate rows are shaded; "ohne Tabellierstreifen" prints none.
    EXPECT_FALSE(d.schattiert.value(0).isEmpty());
    EXPECT_EQ(d.schattiert.value(0).size(), 3); // first row of each discipline

    // All sub-championships, without starter counts, without shading.
    d = liste(Host::fDurchgang,
              {{"cb_Teilmeister", "true"}, {"rb_ZulassOhne", "true"}, {"cb_Tabellierstr", "true"}});
    const QStringList alle = d.texte();
    EXPECT_EQ(alle.value(0), "Zulassungszahlen");
    EXPECT_TRUE(alle.contains("1.30|Kleinkaliber|Einzel|Mannschaft")) << alle.join("\n").toStdString();
    EXPECT_TRUE(alle.contains("10|Schützenklasse|370|1100"));
    EXPECT_TRUE(alle.contains("11|Damenklasse|Alle"));
    EXPECT_TRUE(d.schattiert.value(0).isEmpty());
}

TEST_F(Zulassungsliste, WithoutFiguresSaysSoAndWritesNothing)
{
    meisterschaft();
    db.exec("UPDATE PDISKLA SET ZulassEinzel = 0, ZulassEinzelAnz = 0, ZulassMannsch = 0, ZulassMannschAnz = 0");
    for (Host::TAuswahl code : {Host::fDurchgang, Host::fErgEingabe, Host::fMannschaft, Host::fEtikettenM}) {
        ui->messages.clear();
        EXPECT_EQ(ausfuehren(code, {}), Vcl::TFormDriver::Ok);
        EXPECT_EQ(ui->messageTexts(), QStringList{"Es sind keine Zulassungszahlen vorhanden"}) << int(code);
    }
    EXPECT_TRUE(ui->previews.isEmpty());
    EXPECT_TRUE(QDir(Qvpaths::InternetFolder()).entryList(QDir::Files).isEmpty());
    EXPECT_FALSE(QFile::exists(QDir(Qvpaths::DataFolder()).filePath("ZULASS.RTF")));
}

TEST_F(Zulassungsliste, LandscapeMatrixHasAColumnPerClassUnderTheFirstTwelveGroups)
{
    meisterschaft();
    // Groups C to N with one class each: 14 groups without rest position.
    for (char s = 'C'; s <= 'N'; ++s) {
        const QString k = QString::number(30 + (s - 'C'));
        klasse(k, "Klasse " + QString(s), QString(s));
        zahlen("110", k, 100 + (s - 'C'), 0, 0, 0, "");
    }
    db.setting("Allgemein", "VeranstaltungsArt", "2"); // names the championship without "Meistersch"
    Druck d = liste(Host::fErgEingabe);
    ASSERT_FALSE(d.seiten.isEmpty());
    const QStringList t = d.texte();
    EXPECT_EQ(t.value(0), "Zulassungsringzahlen Bezirksmeisterschaft 2026|Stand:|01.03.2026");
    // Twelve groups: A (paired, m and w), B, C to L; M and N are left out.
    QStringList titel = {"Wettkampfklassen", "Schützenklasse/Damenklasse", "Jugendklasse"};
    titel[1] = "Schütz/Damenk"; // the short names, as the two names share no word
    for (char s = 'C'; s <= 'L'; ++s)
        titel << "Klasse " + QString(s);
    EXPECT_EQ(t.value(1), titel.join('|'));
    EXPECT_EQ(t.value(2), "m|w");
    EXPECT_FALSE(d.dump.contains("Klasse M"));
    // Luftgewehr: class 10 under "m", 11 ("alle") under "w", 20 without
    // figure is empty; the team line has 10's figure only.
    QStringList luftgewehr = {"(1.10)", "Luftgewehr", "370", "alle"};
    for (int i = 0; i < 10; ++i)
        luftgewehr << QString::number(100 + i);
    EXPECT_EQ(t.value(3), luftgewehr.join('|'));
    EXPECT_EQ(t.value(4), "          Mannschaft|1100");
    EXPECT_EQ(t.value(5), "(1.20)|Luftpistole|360,5|300");
    EXPECT_EQ(t.value(6), "          Mannschaft|alle");
    // Column order: the figures of "m" and "w" sit left to right under their heads.
    const auto x = [&](const QString& text) {
        for (const QString& l : d.dump.split('\n'))
            if (l.startsWith("T\t") && ReportTest::field(l, 8) == text)
                return ReportTest::field(l, 2).toDouble();
        return -1.0;
    };
    EXPECT_NEAR(x("370"), x("m"), 0.01);
    EXPECT_NEAR(x("alle"), x("w"), 0.01);
    EXPECT_LT(x("m"), x("w"));

    // Rest position: only rest disciplines and classes.
    d = liste(Host::fErgEingabe, {{"gb_Auflage", "1"}});
    EXPECT_EQ(d.texte().mid(1), (QStringList{"Wettkampfklassen|Seniorenklasse A", "(1.11)|Luftgewehr Auflage|280",
                                              "          Mannschaft|alle"}));
}

TEST_F(Zulassungsliste, GroupHeadingsNameWhatTheClassesShare)
{
    Zulassung::TGruppe g;
    g.Klassen = {{"60", "Sen. A", "Seniorenklasse A", ""}, {"61", "Sen. B", "Seniorenklasse B", ""},
                 {"62", "Sen. C", "Seniorenklasse C", ""}};
    Zulassung::GruppenTitel(g);
    EXPECT_EQ(g.Titel, "Seniorenklasse");
    EXPECT_EQ(g.Unter, (QStringList{"A", "B", "C"}));
    g.Klassen = {{"40", "Jun. A m", "Junioren A", "männlich"}, {"41", "Jun. A w", "Junioren A", "weiblich"}};
    Zulassung::GruppenTitel(g);
    EXPECT_EQ(g.Titel, "Junioren A");
    EXPECT_EQ(g.Unter, (QStringList{"m", "w"}));
    g.Klassen = {{"10", "Schützen", "Schützenklasse", ""}};
    Zulassung::GruppenTitel(g);
    EXPECT_EQ(g.Titel, "Schützenklasse");
    EXPECT_TRUE(g.Unter.isEmpty());
}

TEST_F(Zulassungsliste, HtmlPageFromTheCentreIsHtml5AndReplacesOnlyWhenAllowed)
{
    meisterschaft();
    open();
    ASSERT_EQ(play({"pc_Vorbereitung=Zulassungszahlen", "ed_Htm=Kreis", "bt_ZulassMitHtm", "bt_OK"}),
              Vcl::TFormDriver::Ok)
        << fehler.toStdString();
    const QString datei = QDir(Qvpaths::InternetFolder()).filePath("kreis.htm");
    EXPECT_EQ(ui->messageTexts(),
              QStringList{"Die Zulassungszahlen sind als\r\nkreis.htm\r\nim Ordner  INTERNET  erstellt worden"});
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray html = f.readAll();
    f.close();
    EXPECT_EQ(ReportTest::htmlFindings(html), QStringList());
    // A table per discipline, headed by the discipline's line; the class rows under it.
    const QString s = QString::fromUtf8(html);
    EXPECT_EQ(s.count("<table>"), 3);
    EXPECT_EQ(s.count("<thead>"), 3);
    const QStringList z = zeilen(s);
    EXPECT_EQ(z.mid(0, 3), (QStringList{"th:1.10|Luftgewehr|Einzel|Anzahl|Mannschaft|Anzahl",
                                         "td:10|Schützenklasse|370|12|1100|3", "td:11|Damenklasse|Alle|5||0"}));
    EXPECT_TRUE(z.contains("th:1.20|Luftpistole|Einzel|Anzahl|Mannschaft|Anzahl"));
    EXPECT_TRUE(s.contains("<title>Zulassungszahlen</title>"));
    EXPECT_TRUE(s.contains("Zulassungszahlen der Teilm. 1"));
    // The file is there: No keeps it and sends the user to the name.
    ui->messages.clear();
    ui->answers.push_back(Host::mrNo);
    EXPECT_EQ(play({"ed_Htm=kreis.htm", "bt_ZulassMitHtm", "rb_ZulassOhne=true", "bt_OK"}),
              Vcl::TFormDriver::Eingabefehler);
    EXPECT_EQ(ui->errors, QStringList{"Die Verarbeitung wird abgebrochen."});
    EXPECT_EQ(ui->messageTexts().value(0),
              "Die angegebene Datei ist schon vorhanden.\r\nSoll die Datei überschieben werden?");
    EXPECT_EQ(inhalt(datei).toUtf8(), html);
    // Yes replaces it, now without the starter counts.
    ui->answers.push_back(Host::mrYes);
    ASSERT_EQ(play({"bt_ZulassMitHtm", "rb_ZulassOhne=true", "bt_OK"}), Vcl::TFormDriver::Ok);
    const QString neu = inhalt(datei);
    EXPECT_FALSE(neu.contains("Anzahl"));
    EXPECT_TRUE(zeilen(neu).contains("td:11|Damenklasse|Alle||"));
    EXPECT_EQ(ReportTest::htmlFindings(neu.toUtf8()), QStringList());
    EXPECT_EQ(QDir(Qvpaths::InternetFolder()).entryList(QDir::Files), QStringList{"kreis.htm"});
}

TEST_F(Zulassungsliste, RtfFileOpensInLibreOfficeWithTheFigures)
{
    meisterschaft();
    ASSERT_EQ(ausfuehren(Host::fEtikettenM, {}), Vcl::TFormDriver::Ok) << fehler.toStdString();
    EXPECT_EQ(ui->messageTexts(),
              QStringList{"Die Zulassungszahlen sind als   ZULASS.RTF  im\r\nOrdner  DATEN  erstellt worden"});
    const QString rtf = QDir(Qvpaths::DataFolder()).filePath("ZULASS.RTF");
    ASSERT_TRUE(QFile::exists(rtf));
    const QString soffice = QStandardPaths::findExecutable("soffice");
    if (soffice.isEmpty())
        GTEST_SKIP() << "LibreOffice is not installed";
    QTemporaryDir dir;
    ReportTest::run(soffice, {"-env:UserInstallation=file://" + dir.filePath("profile"), "--headless", "--convert-to",
                              "pdf", "--outdir", dir.path(), rtf},
                    120000);
    const QString text = ReportTest::run("pdftotext", {"-layout", dir.filePath("ZULASS.pdf"), "-"});
    for (const char* s : {"Zulassungszahlen der Teilm. 1", "Schützenklasse", "1100", "360,5", "Alle"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(s))) << s << "\n" << text.toStdString();
    EXPECT_LT(text.indexOf("Luftgewehr"), text.indexOf("Luftpistole"));
}

TEST(ZulassungslisteGeneriert, PassesTheLayoutCheck)
{
    auto db = Fixture::Database::Generated(600, 3);
    Qvpaths::SetProgramFolder(db->folder());
    Host::TestUiGuard ui;
    for (Host::TAuswahl code : {Host::fDurchgang, Host::fErgEingabe}) {
        Vcl::TFormDriver d;
        d.AddCtl("cb_Teilmeister", "true");
        d.AddClick("bt_OK");
        ASSERT_EQ(d.Run([&] { Zulassung::Zulassungsliste(code); }), Vcl::TFormDriver::Ok) << d.ErrorText().toStdString();
    }
    ASSERT_EQ(ui->previews.size(), 2);
    for (const auto& p : ui->previews) {
        EXPECT_EQ(ReportTest::layoutFindings(p.file), "") << p.title.toStdString();
        QFile::remove(p.file);
    }
}
