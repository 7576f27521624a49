// The relay-list dialog driven through its entry procedure off-screen: what
// each selection code shows and checks, the relay list's firing-point gaps,
// the team check, the result-entry boxes, the label sheets (skipped rows,
// headers, copies, bar codes read back from the rendered page, every label
// inside its cell and the sheet), the payout modes, the staff list and the
// badges, and every output of a generated championship under the layout
// check.

#include "reports1/preparation/Durchgang1.h"

#include "apps/reports1/demo/Demo.h"
#include "platform/host/Qvsettings.h"
#include "platform/report/Rplabel.h"
#include "platform/report/Rprender.h"
#include "platform/vcl/LookupCombo.h"
#include "tests/preparation/Zentrale.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

using ReportTest::field;
using ReportTest::linesStarting;

namespace {

using Ctls = QList<QPair<QString, QString>>;

class Durchgang : public ::testing::Test {
protected:
    void SetUp() override
    {
        Qvpaths::SetProgramFolder(db.folder());
        Durchgang1::DruckjobID = 0;
        db.setting("Global", "Ueberschr", "Bezirksmeisterschaft");
        db.setting("Allgemein", "Sportjahr", "2026");
        db.setting("Speziell", "Teilmeisterschaft", "1");
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "110"}, {"Name", "Luftgewehr"}});
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "120"}, {"Name", "Luftpistole"}});
        db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", "10"}, {"Name", "Schützenklasse"}, {"Kurz", "SK"}});
        for (const char* d : {"110", "120"})
            db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", d}, {"Klasse", "10"}, {"Teilmeisterschaft", "1"},
                                  {"AnzSerien", 4}, {"AnzMannschaft", 3}});
        db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 1}, {"Name", "Halle Nord"}});
        db.insert("AWKTAG", {{"Ident", 1}, {"WKTag", 1}, {"Datum", "2026-03-07"}, {"Teilmeisterschaft", "1"}});
        db.insert("EVEREIN", {{"VereinNr", "1101"}, {"Name", "SG Nord"}, {"Abkuerzung", "SGN"}});
    }
    void TearDown() override
    {
        for (const auto& p : ui->previews)
            QFile::remove(p.file);
    }

    // A start on firing point stand of relay durchgang (range 1, day 1).
    void start(int nr, const QString& dis, int durchgang, int stand, const QString& mannschNr = {})
    {
        const QString m = QString("9%1").arg(nr, 4, 10, QChar('0'));
        db.insert("EMITGLIED", {{"MitglNr", m}, {"Name", QString("Name%1").arg(nr)}, {"Vorname", "Vor"},
                                {"Jahrgang", "1980"}});
        db.insert("ERGEBNIS", {{"Ident", 1}, {"MitglNr", m}, {"VereinNr", "1101"}, {"Disziplin", dis},
                               {"EKlasse", "10"}, {"Anlage", 1}, {"WKTag", 1}, {"WKZeit1", durchgang == 1 ? "08:00:00" : "09:00:00"},
                               {"Durchgang", durchgang}, {"Stand", stand}, {"StartNr", nr},
                               {"Teilmeisterschaft", "1"}, {"MVereinNr", mannschNr.isEmpty() ? "" : "1101"},
                               {"MDisziplin", mannschNr.isEmpty() ? "" : dis}, {"MKlasse", mannschNr.isEmpty() ? "" : "10"},
                               {"MannschNr", mannschNr}});
    }

    Vcl::TFormDriver::Outcome drucken(int code, const Ctls& ctls)
    {
        Vcl::TFormDriver d;
        for (const auto& [name, wert] : ctls)
            d.AddCtl(name, wert);
        d.AddClick("bt_OK");
        const auto outcome = d.Run([&] { Durchgang1::Durchgangsliste(Host::TAuswahl(code)); });
        fehler = d.ErrorText();
        return outcome;
    }
    // The print of one output (exactly one preview expected).
    Zentrale::Druck liste(int code, const Ctls& ctls = {{"cx_Anlage", "1"}})
    {
        const qsizetype vorher = ui->previews.size();
        EXPECT_EQ(drucken(code, ctls), Vcl::TFormDriver::Ok) << fehler.toStdString();
        EXPECT_EQ(ui->previews.size(), vorher + 1) << ui->messageTexts().join(" / ").toStdString();
        if (ui->previews.size() != vorher + 1)
            return {};
        EXPECT_EQ(ReportTest::layoutFindings(ui->previews.last().file), "");
        return Zentrale::lesen(ui->previews.last());
    }
    // Runs look on the open dialog of code, then cancels it.
    void ansehen(int code, const std::function<void(TDurchgangForm&)>& look)
    {
        Vcl::TFormDriver d;
        d.Run([&] {
            QTimer::singleShot(0, [&] {
                if (Durchgang1::DurchgangForm)
                    look(*Durchgang1::DurchgangForm);
            });
            Durchgang1::Durchgangsliste(Host::TAuswahl(code));
        });
    }

    Fixture::Database db;
    Host::TestUiGuard ui;
    QString fehler;
};

template <class T>
T* ctl(QWidget& f, const char* name)
{
    T* w = f.findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
}

} // namespace

TEST_F(Durchgang, EachCodeShowsItsControlsAndCaptionAndWithoutRangesNoRangeOrDay)
{
    struct Erwartet {
        int code;
        const char* caption;
        QStringList sichtbar, verborgen;
    };
    const QStringList alle = {"cx_Anlage", "cx_Disziplin", "cx_Tag", "cx_Klasse", "cb_Ergebnis", "ed_Bahn",
                              "ed_yPos", "ed_AnzLabel", "cb_Barcode", "gb_Sort"};
    const Erwartet erwartet[] = {
        {0, "Durchgangsliste", {"cx_Anlage", "cx_Disziplin", "cx_Tag"}, {}},
        {2, "Mannschaftsaushangliste", {"cx_Anlage", "cx_Disziplin", "cx_Tag", "cx_Klasse", "cb_Ergebnis"}, {}},
        {4, "Scheibenetiketten für Laserdrucker",
         {"cx_Anlage", "cx_Disziplin", "cx_Tag", "ed_Bahn", "ed_yPos", "ed_AnzLabel", "cb_Barcode"}, {}},
        {6, "Mitarbeiterliste pro Anlage", {"cx_Anlage", "cx_Disziplin", "cx_Tag", "gb_Sort"}, {}},
        {7, "Auszahlungsliste pro Anlage", {"cx_Anlage", "cx_Tag"}, {}},
        {8, "Mitarbeiteretiketten pro Anlage", {"cx_Anlage"}, {}},
    };
    db.setting("Speziell", "MannAus", "J");
    for (const Erwartet& e : erwartet) {
        ansehen(e.code, [&](TDurchgangForm& f) {
            EXPECT_EQ(f.windowTitle(), e.caption);
            for (const QString& n : alle)
                EXPECT_EQ(f.findChild<QWidget*>(n)->isVisibleTo(&f), e.sichtbar.contains(n)) << e.code << " " << n.toStdString();
            EXPECT_EQ(ctl<QLineEdit>(f, "ed_Bahn")->text(), "1");
            EXPECT_EQ(ctl<QLineEdit>(f, "ed_AnzLabel")->text(), "1");
            // Look-up boxes start with nothing chosen.
            EXPECT_EQ(ctl<Vcl::TLookupCombo>(f, "cx_Anlage")->currentIndex(), -1);
            EXPECT_EQ(ctl<Vcl::TLookupCombo>(f, "cx_Anlage")->count(), 1);
            EXPECT_TRUE(ctl<QCheckBox>(f, "cb_Ergebnis")->isChecked());
        });
    }
    // The results-notice box writes its setting at once.
    ansehen(2, [&](TDurchgangForm& f) { ctl<QCheckBox>(f, "cb_Ergebnis")->click(); });
    EXPECT_EQ(Qvsettings::GetString("Speziell", "MannAus"), "N");

    db.setting("Speziell", "Anlage", "J");
    ansehen(0, [&](TDurchgangForm& f) {
        EXPECT_FALSE(f.findChild<QWidget*>("cx_Anlage")->isVisibleTo(&f));
        EXPECT_FALSE(f.findChild<QWidget*>("cx_Tag")->isVisibleTo(&f));
        EXPECT_TRUE(f.findChild<QWidget*>("cx_Disziplin")->isVisibleTo(&f));
    });
}

TEST_F(Durchgang, BadInputGivesItsMessageWithTheFocusOnTheFieldAndPrintsNothing)
{
    start(1, "110", 1, 1);
    const auto pruefen = [&](int code, const Ctls& ctls, const QString& text, const char* fokus) {
        const qsizetype fehlerVorher = ui->errors.size();
        QString fokusName;
        ansehen(code, [&](TDurchgangForm& f) {
            for (const auto& [n, w] : ctls)
                Vcl::TFormDriver::SetControl(&f, n, w, nullptr);
            ctl<QPushButton>(f, "bt_OK")->click();
            fokusName = f.focusWidget() ? f.focusWidget()->objectName() : QString();
        });
        ASSERT_EQ(ui->errors.size(), fehlerVorher + 1) << text.toStdString();
        EXPECT_EQ(ui->errors.last(), text);
        EXPECT_EQ(fokusName, fokus) << text.toStdString();
    };
    pruefen(0, {}, "Es wurde keine Anlage ausgewählt.", "cx_Anlage");
    db.setting("Allgemein", "Verband", "3");
    pruefen(4, {{"cx_Anlage", "Halle Nord"}, {"ed_Bahn", "9"}}, "Es wurde eine falsche Bahn ausgewählt.", "ed_Bahn");
    pruefen(4, {{"cx_Anlage", "1"}, {"ed_Bahn", "abc"}}, "Es wurde eine falsche Bahn ausgewählt.", "ed_Bahn");
    pruefen(4, {{"cx_Anlage", "1"}, {"ed_AnzLabel", "0"}}, "Es wurde eine falsche Anzahl Label ausgewählt.",
            "ed_AnzLabel");
    pruefen(4, {{"cx_Anlage", "1"}, {"ed_yPos", "x"}}, "Es wurde eine falsche Position eingegeben.", "ed_yPos");
    EXPECT_TRUE(ui->previews.isEmpty());

    // Another federation's sheet has 16 rows; an empty position is no error.
    db.setting("Allgemein", "Verband", "0");
    liste(4, {{"cx_Anlage", "1"}, {"ed_Bahn", "16"}, {"ed_yPos", ""}});
    // A selection without rows says so and prints nothing.
    const qsizetype vorher = ui->previews.size();
    EXPECT_EQ(drucken(1, {{"cx_Anlage", "1"}, {"cx_Disziplin", "Luftpistole"}}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(ui->messageTexts().last(), "Für diese Auswahl sind keine Daten vorhanden");
    EXPECT_EQ(ui->previews.size(), vorher);
}

TEST_F(Durchgang, RelayListPrintsEveryFiringPointUpToTheGroupsHighest)
{
    for (int s = 1; s <= 10; ++s)
        start(s, "110", 1, s);
    start(11, "110", 2, 2);
    start(12, "110", 2, 7);
    start(13, "120", 1, 1);
    const Zentrale::Druck d = liste(0);
    ASSERT_EQ(d.seiten.size(), 2); // a page per discipline, none empty
    const QStringList t = d.texte();
    EXPECT_TRUE(t.contains("D U R C H G A N G S L I S T E"));
    EXPECT_TRUE(t.contains("Wettbewerb:|Luftgewehr (1.10 )")) << t.join("\n").toStdString();
    EXPECT_TRUE(t.contains("Anlage        :|Halle Nord"));
    const int zweiter = int(t.indexOf(QRegularExpression("^Durchgang:\\|2\\|.*")));
    ASSERT_GT(zweiter, 0);
    EXPECT_EQ(t[zweiter], "Durchgang:|2|Tag: |07.03.2026|Zeit: |09:00:00 Uhr");
    QStringList stand;
    for (int i = zweiter + 1; i < t.size() && !t[i].startsWith("D U R"); ++i)
        stand << t[i].section('|', 0, 1);
    EXPECT_EQ(stand, QStringList({"2.|Name11, Vor", "3.", "4.", "5.", "6.", "7.|Name12, Vor", "8.", "9.", "10."}));
    EXPECT_TRUE(d.zeilen(1).join("\n").contains("Luftpistole (1.20 )"));
    // Status and progress while printing, the print's id kept.
    EXPECT_TRUE(ui->statusTexts.contains("Erstellen der Durchgangsliste"));
    EXPECT_EQ(ui->progressStarts.last(), qMakePair(0, 13));
    EXPECT_EQ(ui->currentStatus, "");
    EXPECT_EQ(Durchgang1::DruckjobID, ui->previews.last().id);
    EXPECT_EQ(ui->previews.last().title, "Durchgangsliste");

    // Club-title layout; without range assignment no range is asked and the
    // list goes by start number without firing points.
    db.setting("Speziell", "VBWettkampf", "J");
    EXPECT_TRUE(liste(0).texte().contains("1.|Name1, Vor|SG Nord|1"));
    db.setting("Speziell", "Anlage", "J");
    db.exec("UPDATE ERGEBNIS SET StartNr = 100 - StartNr");
    const QStringList ohne = liste(0, {}).texte();
    EXPECT_FALSE(ohne.join("\n").contains("Anlage"));
    const int erste = int(ohne.indexOf(QRegularExpression("^Name.*")));
    ASSERT_GE(erste, 0);
    EXPECT_EQ(ohne[erste], "Name12, Vor|SG Nord|88");
}

TEST_F(Durchgang, TeamsWithTooManyMembersStopThePrintWithTheirKey)
{
    db.insert("ASZEIT", {{"Ident", 1}, {"Anlage", 1}, {"WKTag", 1}, {"Disziplin", "110"}});
    db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", "1101"}, {"Disziplin", "110"}, {"MKlasse", "10"}, {"MannschNr", "1"}});
    for (int i = 1; i <= 4; ++i)
        start(i, "110", 1, i, "1");
    const QStringList t = liste(2).texte();
    EXPECT_TRUE(t.contains("1101|SG Nord  1"));
    EXPECT_TRUE(t.contains("     4  Name4, Vor"));

    start(5, "110", 1, 5, "1");
    const qsizetype vorher = ui->previews.size();
    drucken(2, {{"cx_Anlage", "1"}});
    EXPECT_EQ(ui->previews.size(), vorher);
    EXPECT_TRUE(ui->messageTexts().contains("Es sind zuviele Mannschaftsteilnehmer vorhanden.\r\n1101 / 110 / 10 / 1\r\n"
                                            "Bitte korrigieren Sie zuerst die Mannschaft."));
    EXPECT_EQ(ui->errors.value(0), "Die Verarbeitung wird abgebrochen.");
}

TEST_F(Durchgang, TeamListHeadsKeepTheirFirstTeamAndMissingMembersGetLinesToWriteIn)
{
    db.insert("ASZEIT", {{"Ident", 1}, {"Anlage", 1}, {"WKTag", 1}, {"Disziplin", "110"}});
    const auto mannschaft = [&](const char* dis, int nr, int mitglieder) {
        static int startNr = 0;
        db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", "1101"}, {"Disziplin", dis}, {"MKlasse", "10"},
                               {"MannschNr", QString::number(nr)}});
        for (int i = 0; i < mitglieder; ++i, ++startNr)
            start(100 + startNr, dis, 1, 1 + startNr % 40, QString::number(nr));
    };
    // A team of two in a class of three leaves a line for the third in the
    // names' column; in the results-notice form a line for its result too.
    mannschaft("120", 1, 2);
    QStringList t = liste(2).texte();
    EXPECT_TRUE(t.contains("   |____________")) << t.join("\n").toStdString();
    db.setting("Speziell", "MannAus", "J");
    t = liste(2).texte();
    EXPECT_TRUE(t.contains("   |____________|____________"));
    EXPECT_TRUE(t.contains("Gesamt|____________"));
    db.setting("Speziell", "MannAus", "N");

    // However many teams come before it, the head of the next discipline
    // never ends a page: it moves to the next one with its first team.
    // A team takes 5 lines: five counts cover every remainder of a page.
    for (int n = 1; n <= 13; ++n) {
        mannschaft("110", n, 3);
        if (n < 9)
            continue;
        const Zentrale::Druck d = liste(2);
        for (int s = 0; s < d.seiten.size(); ++s) {
            const QStringList z = d.zeilen(s);
            ASSERT_FALSE(z.isEmpty());
            const QString letzte = z.last().mid(z.last().indexOf(':') + 1);
            EXPECT_FALSE(letzte.startsWith("Klasse: ") || letzte.startsWith("Anlage: ")
                         || letzte.startsWith("Mannschaftsaushangliste") || letzte.startsWith("Luft"))
                << n << " teams, page " << s + 1 << ": " << letzte.toStdString();
        }
    }
}

TEST_F(Durchgang, ResultEntrySheetsHaveABoxPerSeriesAndBlankEntriesBeforeTheNextGroup)
{
    start(1, "110", 1, 1);
    start(2, "120", 1, 1);
    db.exec("UPDATE PDISKLA SET AnzSerien = 16 WHERE Disziplin = '120'");
    const Zentrale::Druck d = liste(1);
    ASSERT_EQ(d.seiten.size(), 2);
    const auto seite = [&](int i) {
        QString s;
        for (const QString& z : d.zeilen(i))
            s += z.mid(z.indexOf(':') + 1) + "\n";
        return s;
    };
    const QString s1 = seite(0);
    EXPECT_TRUE(s1.contains("\nGesamt:  ------ /|------,------,------,------,\n"));
    EXPECT_TRUE(s1.contains("Wettbewerb:|Luftgewehr ( 1.10 ) |Tag: 07.03.2026"));
    // The rest of the first group's page is filled with blank entries.
    EXPECT_GT(s1.count("------|" + QString(52, '-')), 10);
    const QString s2 = seite(1);
    EXPECT_TRUE(s2.contains("\nGesamt:  ------ /|" + QString("------,").repeated(10) + "\n"));
    EXPECT_TRUE(s2.contains("\n" + QString("------,").repeated(6) + "\n")) << s2.toStdString();
    EXPECT_FALSE(s2.contains(QString(52, '-'))); // the last group ends with its last start

    // Without range assignment: no range name, "Tag:" and blanks; no series
    // leaves the total box alone.
    db.setting("Speziell", "Anlage", "J");
    db.exec("UPDATE PDISKLA SET AnzSerien = 0 WHERE Disziplin = '110'");
    const QStringList ohne = liste(1, {}).texte();
    EXPECT_TRUE(ohne.contains("Anlage:")) << ohne.join("\n").toStdString();
    EXPECT_TRUE(ohne.contains("Wettbewerb:|Luftgewehr ( 1.10 ) |Tag:         "));
    EXPECT_TRUE(ohne.contains("Gesamt:  ------ /"));
}

namespace {

// The labels' texts and bar codes of a label print: per page, the slot of
// the sheet each lies in, and whether each lies inside its label.
struct Etiketten {
    QMap<int, QStringList> plaetze; // slot (page * 100 + index) -> texts
    QStringList ausserhalb;
    QStringList barcodes;
};

Etiketten etikettenLesen(const Host::PrintRequest& p, Report::TLabelShell& s)
{
    Etiketten e;
    Report::TReportDocument doc;
    Report::ReadStream(p.file, doc);
    for (int pg = 0; pg < doc.Pages.size(); ++pg) {
        const Report::TStreamPage& page = doc.Pages[pg];
        const QSizeF blatt(page.Width, page.Height);
        for (const Report::TStreamOp& op : page.Ops) {
            double l = op.X1, r = op.X1 + op.X2, y = op.Y1;
            if (op.Kind == Report::TOpKind::Text)
                l = op.Align == 'R' ? op.X1 - op.X2 : op.Align == 'C' ? op.X1 - op.X2 / 2 : op.X1, r = l + op.X2;
            int slot = -1;
            for (int i = 0; i < s.NumAcross * s.NumDown && slot < 0; ++i)
                if (s.LabelRect(i % s.NumAcross, i / s.NumAcross, blatt).contains(QPointF(l + 0.001, y + 0.001)))
                    slot = i;
            const QRectF label = slot < 0 ? QRectF() : s.PrintRect(slot % s.NumAcross, slot / s.NumAcross, blatt);
            if (slot < 0 || l < label.left() - 0.01 || r > label.right() + 0.01
                || (op.Kind == Report::TOpKind::BarCode && y + op.Y2 > label.bottom()))
                e.ausserhalb << QString("%1 %2 @%3,%4").arg(pg + 1).arg(op.Text).arg(l).arg(y);
            if (op.Kind == Report::TOpKind::Text)
                e.plaetze[pg * 100 + slot] << op.Text;
            else if (op.Kind == Report::TOpKind::BarCode)
                e.barcodes << op.Text;
        }
    }
    return e;
}

} // namespace

TEST_F(Durchgang, LaserLabelsSkipRowsStartEachDisciplineOnAFreshRowAndRepeatCopies)
{
    for (int s = 1; s <= 3; ++s)
        start(s, "110", 1, s);
    for (int s = 4; s <= 5; ++s)
        start(s, "120", 1, s);
    Report::TLabelShell laser;
    TDurchgangForm::EtikettenLaserBogen(laser);
    db.setting("Allgemein", "Verband", "0");
    liste(4, {{"cx_Anlage", "1"}, {"ed_Bahn", "3"}});
    Etiketten e = etikettenLesen(ui->previews.last(), laser);
    EXPECT_EQ(e.ausserhalb, QStringList());
    // Rows 1 and 2 (8 labels) stay empty; 110's header, its row left empty,
    // its starts; 120 begins on a fresh row after a row filled with empties.
    EXPECT_EQ(e.plaetze.firstKey(), 8);
    EXPECT_EQ(e.plaetze.value(8), QStringList({"1 / Halle Nord", "Luftgewehr"}));
    EXPECT_EQ(e.plaetze.value(12).value(1), "  1 / 1");
    EXPECT_EQ(e.plaetze.value(14).value(1), "  1 / 3");
    EXPECT_FALSE(e.plaetze.contains(15));
    EXPECT_EQ(e.plaetze.value(16), QStringList({"1 / Halle Nord", "Luftpistole"}));
    EXPECT_FALSE(e.plaetze.contains(19));
    EXPECT_EQ(e.plaetze.value(20).value(1), "  1 / 4");
    EXPECT_EQ(e.plaetze.value(20).value(0), "120  /  07.03.2026  /  SK");
    EXPECT_EQ(e.barcodes, QStringList({"1", "2", "3", "4", "5"}));

    // The bar codes read back from the rendered sheet give the start numbers.
    QTemporaryDir tmp;
    Report::TReportDocument doc;
    ASSERT_TRUE(Report::ReadStream(ui->previews.last().file, doc));
    ASSERT_TRUE(Report::RenderPdf(doc, tmp.filePath("e.pdf")));
    ReportTest::run("pdftoppm", {"-r", "300", "-png", tmp.filePath("e.pdf"), tmp.filePath("e")});
    QStringList gelesen = ReportTest::run("zbarimg", {"-q", "--raw", "-Si25.min-length=2", tmp.filePath("e-1.png")})
                              .split('\n', Qt::SkipEmptyParts);
    for (QString& g : gelesen)
        g = QString::number(g.toInt()); // an odd count of digits is led by 0
    gelesen.sort();
    EXPECT_EQ(gelesen, QStringList({"1", "2", "3", "4", "5"}));

    // "ohne Barcode": the same labels without bars.
    liste(4, {{"cx_Anlage", "1"}, {"cb_Barcode", "true"}});
    e = etikettenLesen(ui->previews.last(), laser);
    EXPECT_TRUE(e.barcodes.isEmpty());
    EXPECT_EQ(e.plaetze.value(4).value(1), "  1 / 1");

    // Three labels per start: no bar code, the copy number at the end.
    liste(4, {{"cx_Anlage", "1"}, {"ed_AnzLabel", "3"}});
    e = etikettenLesen(ui->previews.last(), laser);
    EXPECT_TRUE(e.barcodes.isEmpty());
    EXPECT_EQ(e.plaetze.value(4).value(1), "  1 / 1 / 1");
    EXPECT_EQ(e.plaetze.value(5).value(1), "  1 / 1 / 2");
    EXPECT_EQ(e.plaetze.value(6).value(1), "  1 / 1 / 3");
    EXPECT_EQ(e.plaetze.value(7).value(1), "  1 / 2 / 1");

    // The 70 x 36 sheet: 3 across, "Beginn Bahn" 3 leaves 6 labels empty; two-digit
    // relays and firing points stay apart from the captions.
    db.setting("Allgemein", "Verband", "3");
    db.exec("UPDATE ERGEBNIS SET Durchgang = 10, Stand = Stand + 10");
    Report::TLabelShell by;
    TDurchgangForm::EtikettenBogen(by);
    liste(4, {{"cx_Anlage", "1"}, {"ed_Bahn", "3"}});
    e = etikettenLesen(ui->previews.last(), by);
    EXPECT_EQ(e.ausserhalb, QStringList());
    EXPECT_EQ(e.plaetze.firstKey(), 6);
    EXPECT_EQ(e.plaetze.value(9).mid(0, 2), QStringList({"110  /  07.03.2026  /  08:00", "Name1, Vor / SK"}));
    EXPECT_TRUE(e.plaetze.value(9).contains("10 / "));
    EXPECT_EQ(e.barcodes.size(), 5);

    // The matrix sheet: two across, one label per start, no bar codes.
    Report::TLabelShell matrix;
    TDurchgangForm::EtikettenMatrixBogen(matrix);
    liste(3);
    e = etikettenLesen(ui->previews.last(), matrix);
    EXPECT_EQ(e.ausserhalb, QStringList());
    EXPECT_EQ(e.plaetze.value(0), QStringList({"1 / Halle Nord", "Luftgewehr"}));
    EXPECT_FALSE(e.plaetze.contains(1));
    EXPECT_EQ(e.plaetze.value(2), QStringList({"110  /  07.03.2026  /  SK", "  1 / 1"}));
    EXPECT_TRUE(e.barcodes.isEmpty());

    // Without range assignment the 70 x 36 labels carry neither time nor name.
    db.setting("Speziell", "Anlage", "J");
    liste(4, {});
    e = etikettenLesen(ui->previews.last(), by);
    EXPECT_EQ(e.plaetze.value(0), QStringList({"0 / keine Anlage", "Luftgewehr"}));
    EXPECT_EQ(e.plaetze.value(3).value(0), "110  /  00.00.00  /  SK");
    EXPECT_EQ(e.plaetze.value(3).value(1), "Dur.");
}

TEST_F(Durchgang, FirstAndLastLabelOfEverySheetLieInsideTheirCellAndThePage)
{
    const QSizeF a4(21.0, 29.7);
    using Bogen = void (*)(Report::TLabelShell&);
    for (Bogen b : {&TDurchgangForm::EtikettenMatrixBogen, &TDurchgangForm::EtikettenLaserBogen,
                    &TDurchgangForm::EtikettenBogen, &TDurchgangForm::MEtikettenBogen}) {
        Report::TLabelShell s;
        b(s);
        for (const auto& [c, r] : {std::pair{0, 0}, std::pair{s.NumAcross - 1, s.NumDown - 1}}) {
            const QRectF l = s.LabelRect(c, r, a4), p = s.PrintRect(c, r, a4);
            EXPECT_TRUE(QRectF(QPointF(0, 0), a4).contains(l)) << c << "," << r;
            EXPECT_TRUE(s.CellRect(c, r).contains(l)) << c << "," << r;
            EXPECT_TRUE(l.contains(p));
            EXPECT_GT(p.height(), 1.2); // room for the label's lines
        }
    }
    // The lane pitch of the 70 x 36 sheet is 69.85 mm, its labels 7.0 cm cut to it.
    Report::TLabelShell by;
    TDurchgangForm::EtikettenBogen(by);
    EXPECT_NEAR(by.CellRect(1, 0).left() - by.CellRect(0, 0).left(), 6.985, 1e-9);
    EXPECT_NEAR(by.LabelRect(2, 0, a4).right(), 21.0, 1e-9);
}

TEST_F(Durchgang, PayoutListPaysByTheModesOfItsSettings)
{
    db.setting("Speziell", "W1", "Euro");
    db.setting("Speziell", "W2", "DM");
    db.insert("EMITGLIED", {{"MitglNr", "1"}, {"Name", "Huber"}, {"Vorname", "Anna"}});
    db.insert("EMITGLIED", {{"MitglNr", "2"}, {"Name", "Maier"}, {"Vorname", "Karl"}});
    db.insert("EMITGLIED", {{"MitglNr", "3"}, {"Name", "Zott"}, {"Vorname", "Eva"}});
    const auto einsatz = [&](const char* nr, const char* satz, const char* von, const char* bis, double km) {
        db.insert("MSPESEN", {{"Ident", 1}, {"MitglNr", nr}, {"Anlage", 1}, {"WKTag", 1}, {"Teilmeisterschaft", "1"},
                              {"MitArt", "AUF"}, {"Beginn", von}, {"Ende", bis}, {"Tagessatz", satz}, {"Entfernung", km}});
    };
    einsatz("1", "2", "08:00:00", "12:00:00", 10);
    einsatz("2", "1", "08:00:00", "10:00:00", 20);
    einsatz("3", "", "08:00:00", "18:00:00", 30);
    for (const auto& [k, v] : {std::pair{"MPausch", "2500"}, {"MPauschH", "1500"}, {"FPausch", "1000"}, {"FKM", "30"},
                               {"MStd", "800"}, {"UStd", "3"}, {"MComp", "2000"}})
        db.setting("Mitarbeiter", k, v);
    const auto modus = [&](const char* mp, const char* fp, const char* ustd) {
        db.setting("Mitarbeiter", "MPauschal", mp);
        db.setting("Mitarbeiter", "FPauschal", fp);
        db.setting("Mitarbeiter", "UStunden", ustd);
        return liste(7).texte();
    };
    // Flat day rate and flat travel: half a day plus travel; no day-rate code pays nothing.
    QStringList t = modus("J", "J", "N");
    EXPECT_TRUE(t.contains("Name|Ent.|Fahrg.|Ges.|Unterschrift"));
    EXPECT_TRUE(t.contains("Huber, Anna|15,00|10,00|25,00"));
    EXPECT_TRUE(t.contains("Zott, Eva|0,00|0,00|0,00"));
    EXPECT_TRUE(t.contains("Auszuzahlender Betrag:                                            |60,00|Euro"));
    // Hourly with flat travel and minimum hours: 2 hours below 3 pay no allowance.
    t = modus("N", "J", "J");
    EXPECT_TRUE(t.contains("Name|Std|Entsch|Fahrg.|Ges.|Unterschrift"));
    EXPECT_TRUE(t.contains("Maier, Karl|2|0,00|10,00|10,00"));
    EXPECT_TRUE(t.contains("Huber, Anna|4|32,00|10,00|42,00"));
    // Flat day rate, travel by kilometre; the second currency; computer use is paid out too.
    db.setting("Speziell", "Waehrung", "1");
    db.setting("Mitarbeiter", "MComputer", "J");
    t = modus("J", "N", "N");
    EXPECT_TRUE(t.contains("Maier, Karl|25,00|20|6,00|31,00"));
    EXPECT_TRUE(t.contains("Zott, Eva|0,00|30|9,00|9,00"));
    EXPECT_TRUE(t.contains("Computereinsatz|20,00"));
    EXPECT_TRUE(t.contains("Auszuzahlender Betrag:                                            |78,00|DM"));
}

TEST_F(Durchgang, StaffListMarksTheDaysOfDutyAndBadgesFitTheirLabel)
{
    for (int tag = 2; tag <= 8; ++tag)
        db.insert("AWKTAG", {{"Ident", 1}, {"WKTag", tag}, {"Datum", QString("2026-03-%1").arg(tag + 6, 2, 10, QChar('0'))},
                             {"Teilmeisterschaft", "1"}});
    db.insert("MITART", {{"MitArt", "WBL"}, {"Name", "Wettbewerbsleitung und Aufsicht der Schießstände"}, {"Etikett", "J"}});
    db.insert("MITART", {{"MitArt", "AUF"}, {"Name", "Standaufsicht"}, {"Etikett", "J"}});
    for (int i = 1; i <= 11; ++i) {
        const QString nr = QString::number(i);
        db.insert("EMITGLIED", {{"MitglNr", nr}, {"Name", "Name" + nr}, {"Vorname", "Vor"}});
        db.insert("MITARB", {{"Ident", 1}, {"MitglNr", nr}, {"Seit", "2001"}});
        db.insert("MSPESEN", {{"Ident", 1}, {"MitglNr", nr}, {"VereinNr", "1101"}, {"Anlage", 1}, {"WKTag", i <= 8 ? i : 1},
                              {"Teilmeisterschaft", "1"}, {"MitArt", i == 1 ? "WBL" : "AUF"}});
    }
    db.insert("MSPESEN", {{"Ident", 1}, {"MitglNr", "1"}, {"VereinNr", "1101"}, {"Anlage", 1}, {"WKTag", 3},
                          {"Teilmeisterschaft", "1"}, {"MitArt", "WBL"}});
    const Zentrale::Druck liste6 = liste(6, {{"cx_Anlage", "1"}, {"gb_Sort", "1"}});
    const QStringList t = liste6.texte();
    EXPECT_TRUE(t.contains("V.Nr.|Name|Funktion|07.03|08.03|09.03|10.03|11.03|12.03|seit"));
    // The day columns marked on a person's line, by where the marks stand.
    const auto marken = [&](const QString& name) {
        QList<int> spalten;
        const QStringList dump = liste6.dump.split('\n');
        int zeile = -1;
        for (const QString& l : linesStarting(dump, "T\t"))
            if (field(l, 8) == name)
                zeile = int(dump.indexOf(l));
        for (int i = zeile + 1; zeile >= 0 && i < dump.size() && field(dump[i], 8) != "2001"; ++i)
            if (field(dump[i], 8) == " X ")
                spalten << int((field(dump[i], 2).toDouble() - 12.0) / 1.0) + 1;
        return spalten;
    };
    // Days 1 and 3; the function on three lines.
    EXPECT_EQ(marken("Name1, Vor"), QList<int>({1, 3}));
    EXPECT_TRUE(t.contains("1101|Name1, Vor|Wettbewerbsleitung| X | X |2001"));
    EXPECT_TRUE(t.contains("und Aufsicht der"));
    EXPECT_TRUE(t.contains("Schießstände"));
    EXPECT_EQ(marken("Name6, Vor"), QList<int>({6}));
    // Duty on the seventh and eighth day has no column.
    EXPECT_TRUE(t.contains("1101|Name7, Vor|Standaufsicht|2001"));
    EXPECT_TRUE(t.contains("1101|Name8, Vor|Standaufsicht|2001"));

    // Badges: ten to a sheet; without the coat of arms the heading is centred.
    db.setting("Global", "Veranst1", "Schützenbezirk");
    db.setting("Global", "Veranst2", "Oberland");
    db.setting("Allgemein", "VeranstaltungsArt", "2");
    // The first text op of the print that reads text.
    const auto op = [](const Zentrale::Druck& d, const QString& text) {
        for (const QString& l : linesStarting(d.dump.split('\n'), "T\t"))
            if (field(l, 8) == text)
                return l;
        return QString();
    };
    Zentrale::Druck d = liste(8, {{"cx_Anlage", "1"}});
    EXPECT_EQ(d.seiten.size(), 2);
    EXPECT_FALSE(d.dump.contains("\nI\t"));
    EXPECT_EQ(field(op(d, "Bezirksmeisterschaft 2026"), 4), "C");
    EXPECT_FALSE(op(d, "Schützenbezirk Oberland").isEmpty());
    Report::TLabelShell badge;
    TDurchgangForm::MEtikettenBogen(badge);
    Etiketten e = etikettenLesen(ui->previews.last(), badge);
    EXPECT_EQ(e.ausserhalb, QStringList());
    EXPECT_TRUE(e.plaetze.first().contains("Bezirksmeisterschaft 2026"));
    // An organiser kind of 3 or more leaves its line empty; the role and the
    // name keep their places.
    db.setting("Allgemein", "VeranstaltungsArt", "3");
    const Zentrale::Druck ohne = liste(8, {{"cx_Anlage", "1"}});
    EXPECT_TRUE(op(ohne, "Schützenbezirk Oberland").isEmpty());
    ASSERT_FALSE(op(d, "Standaufsicht").isEmpty());
    ASSERT_FALSE(op(d, "Vor Name2").isEmpty());
    EXPECT_EQ(field(op(ohne, "Standaufsicht"), 3), field(op(d, "Standaufsicht"), 3));
    EXPECT_EQ(field(op(ohne, "Vor Name2"), 3), field(op(d, "Vor Name2"), 3));
    // With it the picture is drawn beside the heading, inside the badge.
    ASSERT_TRUE(Demo::WappenSchreiben(db.folder()));
    db.setting("Speziell", "BitmapLL", "250");
    db.setting("Speziell", "BitmapLH", "250");
    d = liste(8, {{"cx_Anlage", "1"}});
    EXPECT_TRUE(d.dump.contains("\nI\t"));
    EXPECT_EQ(field(op(d, "Bezirksmeisterschaft 2026"), 4), "L");
    e = etikettenLesen(ui->previews.last(), badge);
    EXPECT_EQ(e.ausserhalb, QStringList());
}

TEST(DurchgangGeneriert, EveryOutputOfAGeneratedChampionshipPassesTheLayoutCheck)
{
    auto gen = Fixture::Database::Generated(300, 7);
    Host::TestUiGuard ui;
    Qvpaths::SetProgramFolder(gen->folder());
    ASSERT_TRUE(Demo::WappenSchreiben(gen->folder()));
    // Prints the output of code (on range anlage, if given); true when it
    // printed, which it did inside the layout rules, else it said why not.
    const auto drucken = [&](int code, const char* anlage) {
        const qsizetype vorher = ui->previews.size();
        Vcl::TFormDriver d;
        if (anlage)
            d.AddCtl("cx_Anlage", anlage);
        d.AddClick("bt_OK");
        EXPECT_EQ(d.Run([&] { Durchgang1::Durchgangsliste(Host::TAuswahl(code)); }), Vcl::TFormDriver::Ok);
        if (ui->previews.size() == vorher) {
            EXPECT_EQ(ui->messageTexts().value(ui->messageTexts().size() - 1),
                      "Für diese Auswahl sind keine Daten vorhanden")
                << code;
            return false;
        }
        EXPECT_EQ(ReportTest::layoutFindings(ui->previews.last().file), "")
            << "code " << code << " " << (anlage ? anlage : "-");
        QFile::remove(ui->previews.last().file);
        return true;
    };
    int gedruckt = 0;
    for (const char* verband : {"0", "3"}) {
        gen->setting("Allgemein", "Verband", verband);
        for (int code = 0; code <= 8; ++code)
            for (const char* anlage : {"1", "2"})
                gedruckt += drucken(code, anlage);
    }
    EXPECT_GE(gedruckt, 30);
    // Without range assignment every statement runs in its variant without
    // the range (and day) tables.
    gen->setting("Speziell", "Anlage", "J");
    int ohneAnlage = 0;
    for (int code = 0; code <= 8; ++code)
        ohneAnlage += drucken(code, nullptr);
    EXPECT_GE(ohneAnlage, 8) << ohneAnlage;
    EXPECT_TRUE(ui->errors.isEmpty()) << ui->errors.join("\n").toStdString();
}
