// The general page's list of deregistered starts: the results dialog opens
// the entry job in its deregistration mode, so it prints what the job
// prints when started on its own.

#include "reports1/results/ErgebAbgemeldet.h"

#include "platform/host/Qvpaths.h"
#include "reports1/entries/Abmeldung1.h"
#include "tests/platform/report/ReportTestUtil.h"
#include "tests/results/ErgebDialog.h"
#include "tests/support/Fixture.h"

namespace {

TEST(ErgebAbgemeldet, TheResultsDialogPrintsTheDeregisteredStartsAsTheEntryJobDoes)
{
    auto gen = Fixture::Database::Generated(300, 11);
    Host::TestUiGuard ui;
    Qvpaths::SetProgramFolder(gen->folder());
    ASSERT_GT(gen->count("ERGEBNIS", "Abmeldung = 'A'"), 0);

    {
        ErgebDialog::Dialog dialog;
        Vcl::TFormDriver d;
        d.AddClick("bt_Abgemeldet");
        d.AddClick("bt_OK");
        EXPECT_EQ(d.Play(dialog.form()), Vcl::TFormDriver::Ok) << d.ErrorText().toStdString();
    }
    Vcl::TFormDriver d;
    d.AddClick("bt_OK");
    EXPECT_EQ(d.Run([] { Abmeldung1::Abgemeldete(true); }), Vcl::TFormDriver::Ok) << d.ErrorText().toStdString();

    ASSERT_EQ(ui->previews.size(), 2);
    const auto ausDialog = ReportTest::druckLesen(ui->previews[0].file, ui->previews[0].title);
    const auto ausJob = ReportTest::druckLesen(ui->previews[1].file, ui->previews[1].title);
    EXPECT_EQ(ausDialog.titel, "nicht zugelassene Starts");
    EXPECT_TRUE(ausDialog.texte().contains("Teilnehmer mit abgemeldeten Starts"));
    EXPECT_GT(ausDialog.texte().size(), 3);
    EXPECT_EQ(ausDialog.seiten, ausJob.seiten);
    EXPECT_EQ(ReportTest::layoutFindings(ui->previews[0].file), "");
    EXPECT_EQ(Abmeldung1::DruckjobID, ui->previews[1].id);
    for (const auto& p : ui->previews)
        QFile::remove(p.file);
}

} // namespace
