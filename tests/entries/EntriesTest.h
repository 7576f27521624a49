#pragma once
// What the entry jobs' tests share: a test championship opened as the
// host's database, a job's form driven through its entry procedure, and the
// prints read back line by line (page header and footer left out).

#include "platform/host/Datamod.h"
#include "platform/host/Qvpaths.h"
#include "platform/report/Rpstream.h"
#include "platform/vcl/FormDriver.h"
#include "tests/platform/report/ReportTestUtil.h"
#include "tests/support/Fixture.h"
#include "tests/support/QtGtest.h"
#include "tests/support/TestHostUi.h"

#include <QFile>

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace EntriesTest {

using Ctls = QList<QPair<QString, QString>>;

// A printed document: per page its body lines "line:text|text" (italic
// header and footer texts left out), and the dump.
struct Druck {
    QString titel, dump;
    QVector<QStringList> seiten;

    // Every body line of every page, without line numbers.
    QStringList texte() const
    {
        QStringList out;
        for (const QStringList& s : seiten)
            for (const QString& z : s)
                out << z.mid(z.indexOf(':') + 1);
        return out;
    }
};

inline Druck lesen(const Host::PrintRequest& p)
{
    Druck d;
    d.titel = p.title;
    d.dump = Report::DumpStream(p.file);
    Report::TReportDocument doc;
    if (!Report::ReadStream(p.file, doc))
        return d;
    for (const Report::TStreamPage& page : doc.Pages) {
        std::map<int, QStringList> zeilen;
        for (const Report::TStreamOp& op : page.Ops)
            if (op.Kind == Report::TOpKind::Text && !doc.Fonts.value(op.Font).Italic)
                zeilen[op.Line] << op.Text;
        QStringList s;
        for (const auto& [line, texte] : zeilen)
            s << QString::number(line) + ":" + texte.join('|');
        d.seiten << s;
    }
    return d;
}

class Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        Qvpaths::SetProgramFolder(db.folder());
        db.setting("Global", "Ueberschr", "Bezirksmeisterschaft");
        db.setting("Allgemein", "Sportjahr", "2026");
        db.setting("Speziell", "Teilmeisterschaft", "1");
    }
    void TearDown() override
    {
        for (const auto& p : ui->previews)
            QFile::remove(p.file);
    }

    // Runs entry with the controls set and the button clicked.
    Vcl::TFormDriver::Outcome fahren(const std::function<void()>& entry, const Ctls& ctls,
                                     const QString& knopf = "bt_OK")
    {
        Vcl::TFormDriver d;
        for (const auto& [name, wert] : ctls)
            d.AddCtl(name, wert);
        if (!knopf.isEmpty())
            d.AddClick(knopf);
        const auto outcome = d.Run(entry);
        fehler = d.ErrorText();
        return outcome;
    }
    // The one print this run handed to the preview, checked for layout.
    Druck drucken(const std::function<void()>& entry, const Ctls& ctls)
    {
        const qsizetype vorher = ui->previews.size();
        EXPECT_EQ(fahren(entry, ctls), Vcl::TFormDriver::Ok) << fehler.toStdString();
        EXPECT_EQ(ui->previews.size(), vorher + 1);
        if (ui->previews.size() != vorher + 1)
            return {};
        EXPECT_EQ(ReportTest::layoutFindings(ui->previews.last().file), "");
        return lesen(ui->previews.last());
    }
    QString letzteMeldung() { return ui->messageTexts().value(ui->messageTexts().size() - 1); }

    Fixture::Database db;
    Host::TestUiGuard ui;
    QString fehler;
};

} // namespace EntriesTest
