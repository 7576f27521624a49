// The staff invitations driven through their dialog: one letter per staff
// member with the engagements, the allowance sentences of the settings, the
// badge sentence and the organiser's closing; the selection of one member,
// one range or the sub-championship; the name search after the third tick
// of its timer; the layout check on a generated championship.

#include "reports1/documents/Einladung1.h"

#include "platform/host/Schtools.h"
#include "platform/vcl/FormDriver.h"
#include "tests/documents/DocumentsTest.h"
#include "tests/platform/report/ReportTestUtil.h"
#include "tests/support/QtGtest.h"

#include <QApplication>
#include <QTableView>
#include <QTimer>

namespace {

using Ctls = QList<QPair<QString, QString>>;

class Einladung : public DocumentsTest::Meisterschaft {
protected:
    void SetUp() override
    {
        Meisterschaft::SetUp();
        db.setting("Global", "Ueberschr", "Bezirksmeisterschaft");
        db.setting("Global", "Sportl", "Karl Sportleiter");
        db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 1}, {"Name", "Luftdruckhalle"}});
        db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 2}, {"Name", "KK-Stand"}});
        db.insert("AWKTAG", {{"Ident", 1}, {"WKTag", 1}, {"Datum", QDate(2025, 3, 8)}, {"Teilmeisterschaft", "1"}});
        db.insert("AWKTAG", {{"Ident", 1}, {"WKTag", 2}, {"Datum", QDate(2025, 3, 9)}, {"Teilmeisterschaft", "2"}});
        db.insert("MITART", {{"MitArt", "1"}, {"Name", "Standaufsicht"}});
        mitarbeiter("1", "Huber", "Anna", "W", "1");
        mitarbeiter("2", "Maier", "Max", "M", "0");
        einsatz("1", 1, 1, "1", "08:00:00");
        einsatz("1", 2, 2, "2", "09:30:00");
        einsatz("2", 2, 1, "1", "07:30:00");
        db.setting("Mitarbeiter", "MPauschal", "J");
        db.setting("Mitarbeiter", "MPausch", "1500");
        db.setting("Mitarbeiter", "MPauschH", "0");
        db.setting("Mitarbeiter", "FKilom", "J");
        db.setting("Mitarbeiter", "FKM", "30");
        Schtools::StringsToFile({"Bitte melden Sie sich bei der Standaufsicht."}, datei("EINLAD.DAT"));
        Schtools::StringsToFile({"Schützenbezirk Oberbayern", "Postfach 1"}, datei("KONTAK.DAT"));
        Schtools::StringsToFile({"Lageplan"}, datei("ANLAGE.DAT"));
    }
    void TearDown() override
    {
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Meisterschaft::TearDown();
    }
    void mitarbeiter(const QString& nr, const QString& name, const QString& vorname, const QString& g,
                     const QString& tagessatz)
    {
        db.insert("EMITGLIED", {{"MitglNr", nr}, {"Name", name}, {"Vorname", vorname}, {"Geschlecht", g},
                                {"Strasse", "Hauptstraße " + nr}, {"PLZ", "8236" + nr}, {"Ort", "Weilheim"}});
        db.insert("MITARB", {{"Ident", 1}, {"MitglNr", nr}, {"Name", name}, {"Vorname", vorname}});
        tagessaetze[nr] = tagessatz;
    }
    void einsatz(const QString& nr, int anlage, int tag, const QString& teilm, const QString& beginn)
    {
        db.insert("MSPESEN", {{"Ident", 1}, {"MitglNr", nr}, {"VereinNr", "1101"}, {"Anlage", anlage}, {"WKTag", tag},
                              {"MitArt", "1"}, {"Teilmeisterschaft", teilm}, {"Beginn", QTime::fromString(beginn)},
                              {"Tagessatz", tagessaetze.value(nr)}});
    }
    Vcl::TFormDriver::Outcome drucken(const Ctls& ctls)
    {
        Vcl::TFormDriver d;
        for (const auto& [name, wert] : ctls)
            d.AddCtl(name, wert);
        d.AddClick("bt_OK");
        return d.Run([] { Einladung1::Einladungsliste(); });
    }
    QStringList druck(const Ctls& ctls = {})
    {
        const int vorher = int(ui->previews.size());
        EXPECT_EQ(drucken(ctls), Vcl::TFormDriver::Ok) << ui->errors.join('\n').toStdString();
        if (ui->previews.size() != vorher + 1)
            return {"KEIN DRUCK"};
        EXPECT_EQ(ReportTest::layoutFindings(ui->previews.last().file), "");
        return DocumentsTest::Zeilen(ui->previews.last().file);
    }
    QHash<QString, QString> tagessaetze;
};

TEST_F(Einladung, OneLetterPerStaffMemberWithEngagementsAllowancesAndClosing)
{
    const QStringList z = druck();
    EXPECT_EQ(ui->previews.last().title, "Durchgangsliste");
    EXPECT_EQ(Einladung1::DruckjobID, ui->previews.last().id);
    for (const QString& zeile : QStringList{
             "1:Einladung für Mitarbeiter", "1:Bezirksmeisterschaft 2025", "1:01.03.2025",
             "1:Schützenbezirk Oberbayern Postfach 1", "1:Frau", "1:Anna Huber", "1:Hauptstraße 1", "1:82361 Weilheim",
             "1:Mitarbeit bei der Bezirksmeisterschaft", "1:Sehr geehrte Damen und Herren,",
             "1:Datum|Uhrzeit|Tätigkeit|Anlage", "1:08.03.2025|08:00|Standaufsicht|Luftdruckhalle",
             "1:09.03.2025|09:30|Standaufsicht|KK-Stand", "1:Bitte melden Sie sich bei der Standaufsicht.",
             "1:Für einen Einsatztag erhalten Sie Euro 15,00 Verpflegungskostenzuschuß.",
             "1:Weiterhin erhalten Sie eine Fahrgeldvergütung von Euro 0,30 pro gefahrene Kilometer.",
             "1:Jeder Mitarbeiter erhält ein Mitarbeiterabzeichen bzw. eine Jahresspange.",
             "1:Die Schützenbezirkssportleitung rechnet mit Ihrer Mitarbeit und dankt Ihnen im Voraus dafür.",
             "1:Mit freundlichen Grüßen", "1:Karl Sportleiter|Anlage", "1:SCHÜTZENBEZIRK OBERBAYERN|Lageplan",
             "2:Herr", "2:Max Maier", "2:07:30|Standaufsicht|KK-Stand"})
        EXPECT_TRUE(z.contains(zeile) || z.join('\n').contains(zeile.mid(2)))
            << zeile.toStdString() << "\n" << z.join('\n').toStdString();
    EXPECT_FALSE(z.join('\n').contains(" oder "));
    // A member whose day rate is "0" gets no allowance paragraph.
    EXPECT_FALSE(z.filter(QRegularExpression("^2:.*Verpflegung")).size() > 0) << z.join('\n').toStdString();
    EXPECT_FALSE(z.filter(QRegularExpression("^2:.*Fahrgeld")).size() > 0);

    // The half-day amount follows with " oder "; without the badge the
    // sentence is left out; the sub-championship and the range filter.
    db.setting("Mitarbeiter", "MPauschH", "850");
    const QStringList b = druck({{"cb_Abzeichen", "false"}, {"cb_TM", "true"}});
    EXPECT_TRUE(b.contains("1:Für einen Einsatztag erhalten Sie Euro 15,00 oder Euro 8,50 Verpflegungskostenzuschuß."))
        << b.join('\n').toStdString();
    EXPECT_FALSE(b.join('\n').contains("Mitarbeiterabzeichen"));
    EXPECT_FALSE(b.join('\n').contains("09.03.2025")); // sub-championship 2
    const QStringList a = druck({{"cx_Anlage", "2"}});
    EXPECT_FALSE(a.join('\n').contains("Luftdruckhalle")) << a.join('\n').toStdString();
    EXPECT_TRUE(a.join('\n').contains("Anna Huber"));
}

TEST_F(Einladung, OneMemberFromTheListFoundByNameAfterTheThirdTick)
{
    Vcl::TFormDriver d;
    d.AddCtl("ed_NamenEinzel", "Maier");
    QString vorher, nachZwei, nachDrei;
    d.Run([&] {
        QTimer::singleShot(0, [&] {
            auto* form = Einladung1::EinladungForm;
            auto* grid = form->findChild<QTableView*>("gr_Mitarbeiter");
            const auto aktuell = [grid] { return grid->currentIndex().isValid() ? grid->currentIndex().siblingAtColumn(0).data().toString() : QString(); };
            Vcl::TFormDriver::SetControl(form, "ed_NamenEinzel", "Maier", nullptr);
            vorher = aktuell();
            form->MitArbTimerTimer();
            form->MitArbTimerTimer();
            nachZwei = aktuell();
            form->MitArbTimerTimer();
            nachDrei = aktuell();
            EXPECT_FALSE(form->MitArbTimer->isActive());
            Vcl::TFormDriver::SetControl(form, "cb_Mitarbeiter", "true", nullptr);
            Vcl::TFormDriver ok;
            ok.AddClick("bt_OK");
            ok.Play(form);
        });
        Einladung1::Einladungsliste();
    });
    EXPECT_NE(vorher, "Maier");
    EXPECT_NE(nachZwei, "Maier");
    EXPECT_EQ(nachDrei, "Maier");
    ASSERT_EQ(ui->previews.size(), 1);
    const QString z = DocumentsTest::Zeilen(ui->previews.last().file).join('\n');
    EXPECT_TRUE(z.contains("Max Maier")) << z.toStdString();
    EXPECT_FALSE(z.contains("Anna Huber"));

    // A member without engagements: the input error, nothing printed.
    db.insert("MITARB", {{"Ident", 1}, {"MitglNr", "9"}, {"Name", "Aaron"}, {"Vorname", "Ohne"}});
    Vcl::TFormDriver e;
    e.AddCtl("gr_Mitarbeiter", "Aaron");
    e.AddCtl("cb_Mitarbeiter", "true");
    e.AddClick("bt_OK");
    EXPECT_EQ(e.Run([] { Einladung1::Einladungsliste(); }), Vcl::TFormDriver::Eingabefehler);
    EXPECT_EQ(ui->errors.last(), "Zu diesem Mitarbeiter fehlen wichtige Daten");
    EXPECT_EQ(ui->previews.size(), 1);
}

TEST(EinladungGeneriert, TheLettersOfAGeneratedChampionshipPassTheLayoutCheck)
{
    auto db = Fixture::Database::Generated(300, 3);
    Host::TestUiGuard ui;
    Qvpaths::SetProgramFolder(db->folder());
    Vcl::TFormDriver d;
    d.AddClick("bt_OK");
    EXPECT_EQ(d.Run([] { Einladung1::Einladungsliste(); }), Vcl::TFormDriver::Ok) << ui->errors.join('\n').toStdString();
    ASSERT_EQ(ui->previews.size(), 1);
    EXPECT_EQ(ReportTest::layoutFindings(ui->previews[0].file), "");
    QFile::remove(ui->previews[0].file);
}

} // namespace
