#pragma once
// What the tests of the entry-fee window and the invoices share: a small
// championship with clubs, bank data, fee groups and starts, the texts of a
// printed document, and writing the mandate file.

#include "platform/host/Einzug.h"
#include "platform/host/Qvclock.h"
#include "platform/host/Qvpaths.h"
#include "platform/report/Rpstream.h"
#include "tests/support/Fixture.h"
#include "tests/support/TestHostUi.h"

#include <QDir>
#include <QFile>

#include <cmath>
#include <map>

#include <gtest/gtest.h>

namespace DocumentsTest {

// The texts of a report stream, page by page and line by line: one entry
// "page:text|text" per printed line.
inline QStringList Zeilen(const QString& stream)
{
    Report::TReportDocument doc;
    if (!Report::ReadStream(stream, doc))
        return {"KEIN STREAM"};
    QStringList out;
    for (int p = 0; p < doc.Pages.size(); ++p) {
        std::map<long, QStringList> zeilen; // by baseline (1/1000 cm), in drawing order
        for (const Report::TStreamOp& op : doc.Pages[p].Ops)
            if (op.Kind == Report::TOpKind::Text && !op.Text.trimmed().isEmpty())
                zeilen[std::lround(op.Y1 * 1000)] << op.Text;
        for (const auto& [y, texte] : zeilen)
            out << QString::number(p + 1) + ":" + texte.join('|');
    }
    return out;
}

class Meisterschaft : public ::testing::Test {
protected:
    void SetUp() override
    {
        Qvpaths::SetProgramFolder(db.folder());
        Qvclock::SetNow(QDateTime(QDate(2025, 3, 1), QTime(9, 30)));
        db.setting("Global", "Verband", "Schützenbezirk Oberbayern");
        db.setting("Global", "Meistersch", "Bezirksmeisterschaft Oberbayern");
        db.setting("Global", "Veranst1", "Schützenbezirk");
        db.setting("Global", "Veranst2", "Oberbayern");
        db.setting("Global", "Institut", "Kreissparkasse Weilheim");
        db.setting("Global", "BLZ", "70250150");
        db.setting("Global", "Konto", "1234567");
        db.setting("Global", "GläubigerID", "DE98ZZZ09999999999");
        db.setting("Global", "TVorw", "0881");
        db.setting("Global", "Telefon", "12345");
        db.setting("Global", "FVorw", "0881");
        db.setting("Global", "Fax", "12346");
        db.setting("Global", "StNr", "St.-Nr.");
        db.setting("Global", "SteuerNr", "168/123/45678");
        db.setting("Allgemein", "Sportjahr", "2025");
        db.setting("Allgemein", "VeranstaltungsArt", "2");
        db.setting("Allgemein", "Verband", "3");
        db.setting("Allgemein", "LastschriftTage", "14");
        db.setting("Speziell", "Teilmeisterschaft", "1");
        db.setting("Speziell", "Waehrung", "0");
        db.setting("Speziell", "W1", "Euro");
    }
    void TearDown() override
    {
        Qvclock::SetNow(QDateTime());
        for (const auto& p : ui->previews)
            QFile::remove(p.file);
    }

    void verein(const QString& nr, const QString& name, const QString& blz, const QString& konto,
                const QString& startgeld = "", const QString& abk = "SG")
    {
        db.insert("EVEREIN", {{"VereinNr", nr}, {"Name", name}, {"Abkuerzung", abk}, {"BLZ", blz}, {"Konto", konto},
                              {"Bank", "Sparkasse"}, {"Vorstand", "Vorstand " + nr}, {"Strasse", "Schießstattweg 1"},
                              {"PLZ", "82362"}, {"Ort", "Weilheim"}, {"Kreis", nr.left(2)}, {"Startgeld", startgeld}});
    }
    void mandate(const QByteArray& inhalt)
    {
        QFile f(Einzug::MandatsDatei());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(inhalt);
    }
    QString datei(const QString& name) const { return QDir(Qvpaths::DataFolder()).filePath(name); }

    Fixture::Database db;
    Host::TestUiGuard ui;
};

} // namespace DocumentsTest
