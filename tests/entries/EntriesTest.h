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

namespace EntriesTest {

using Ctls = QList<QPair<QString, QString>>;

using Druck = ReportTest::Druck;

inline Druck lesen(const Host::PrintRequest& p) { return ReportTest::druckLesen(p.file, p.title); }

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
