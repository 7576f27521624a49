// The module's spine as the host sees it: identity, start and stop, the
// print menu and the host messages.

#include "reports1/module/Report1dm.h"

#include "platform/host/Qvmain.h"
#include "platform/host/Qvunits.h"
#include "tests/support/TestHostUi.h"
#include "reports1/documents/Startgeld1.h"
#include "reports1/preparation/Ausnahme1.h"
#include "reports1/preparation/Vorbereitung1.h"
#include "reports1/results/Ergebdruck1.h"

#include <QApplication>
#include "tests/support/QtGtest.h"

#include <gtest/gtest.h>

namespace {

void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// A module started the way the host starts it, stopped again afterwards.
class ModuleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Sectionlist::ClearReceivers();
        Qvmain::f_Menue()->PrintJobs().Clear();
        Initialize();
        quarvelInit();
    }
    void TearDown() override
    {
        Finalize();
        if (Vorbereitung1::VorbereitungForm) // not freed by its unit on stop
            delete Vorbereitung1::VorbereitungForm;
        flushDeletes();
        Sectionlist::ClearReceivers();
        Qvmain::f_Menue()->PrintJobs().Clear();
    }
    bool send(const QString& msg)
    {
        bool r = Sectionlist::DistributeMessage(msg);
        flushDeletes();
        return r;
    }
    Host::TestUiGuard ui;
};

TEST(ModuleInfo, WritesExactlyTheSixValuesWhateverTheRecordHeld)
{
    Qvmodule::TModuleInfo info;
    info.Size = -5;
    info.Framework = "alt";
    info.VersionHigh = 200;
    info.VersionLow = 99;
    info.Description = "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx";
    info.LoadSequence = 7;
    quarvelInfo(info);
    EXPECT_EQ(info.Size, 18);
    EXPECT_EQ(info.Framework, "Meisterschaftsprogramm");
    EXPECT_EQ(info.VersionHigh, 1);
    EXPECT_EQ(info.VersionLow, 0);
    EXPECT_EQ(info.Description, "Reports");
    EXPECT_EQ(info.LoadSequence, 101);
}

TEST_F(ModuleTest, StartRegistersDataModuleReceiversAndThreeMenuEntriesInOrder)
{
    ASSERT_NE(Report1dm::ReportForm, nullptr);
    EXPECT_TRUE(Qvunits::IsClassRegistered("TReportForm"));
    EXPECT_GE(Sectionlist::ReceiverCount(), 1);
    const auto& jobs = Qvmain::f_Menue()->PrintJobs().Items();
    ASSERT_EQ(jobs.size(), 3u);
    EXPECT_EQ(jobs[0].Id, 1);
    EXPECT_EQ(jobs[0].Caption, "Startgeldliste");
    EXPECT_EQ(jobs[1].Id, 2);
    EXPECT_EQ(jobs[1].Caption, "Listen zur Vorbereitung");
    EXPECT_EQ(jobs[2].Id, 3);
    EXPECT_EQ(jobs[2].Caption, "Listen zur Durchführung");
}

TEST_F(ModuleTest, MenuEntriesConfirmOrganiserAndOpenTheirDialog)
{
    auto& jobs = Qvmain::f_Menue()->PrintJobs();
    EXPECT_FALSE(jobs.Click(0));
    EXPECT_NE(Startgeld1::StartgeldForm, nullptr);
    EXPECT_TRUE(Startgeld1::StartgeldForm->isMaximized());
    EXPECT_FALSE(jobs.Click(1));
    ASSERT_NE(Vorbereitung1::VorbereitungForm, nullptr);
    EXPECT_FALSE(Vorbereitung1::VorbereitungForm->isMaximized());
    EXPECT_FALSE(jobs.Click(2));
    ASSERT_NE(Ergebdruck1::ErgebDruckForm, nullptr);
    EXPECT_TRUE(Ergebdruck1::bAuswahl);
    EXPECT_EQ(ui->organiserConfirmations, 3);

    // An id the module never registered opens nothing.
    Sectionlist::TPrintJob other{4, "x", {}, {}};
    Ergebdruck1::ErgebDruckForm->close();
    flushDeletes();
    EXPECT_FALSE(Report1dm::ReportForm->PrintJobClick(other));
    EXPECT_EQ(Ergebdruck1::ErgebDruckForm, nullptr);
}

TEST_F(ModuleTest, ResultsDialogMessagesMatchExactlyAndIgnoreExtraFields)
{
    EXPECT_FALSE(send("ZKTMP,REPORT"));
    EXPECT_FALSE(send("zktmp,REPORT,MENUE"));
    EXPECT_FALSE(send("ZKTMP,report,MENUE"));
    EXPECT_FALSE(send("ZKTMP, REPORT,MENUE"));
    EXPECT_EQ(Ergebdruck1::ErgebDruckForm, nullptr);

    EXPECT_FALSE(send("ZKTMP,REPORT,UNVOLLSTAENDIG"));
    ASSERT_NE(Ergebdruck1::ErgebDruckForm, nullptr);
    EXPECT_FALSE(Ergebdruck1::bAuswahl);

    // The menu message with a fourth field, while the dialog is minimised:
    // the same dialog comes back to normal size and bAuswahl flips.
    TErgebDruckForm* first = Ergebdruck1::ErgebDruckForm;
    first->showMinimized();
    EXPECT_FALSE(send("ZKTMP,REPORT,MENUE,zusatz"));
    EXPECT_EQ(Ergebdruck1::ErgebDruckForm, first);
    EXPECT_TRUE(Ergebdruck1::bAuswahl);
    EXPECT_FALSE(first->isMinimized());
    EXPECT_FALSE(first->isMaximized());
    int dialogs = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<TErgebDruckForm*>(w))
            ++dialogs;
    EXPECT_EQ(dialogs, 1);
}

TEST_F(ModuleTest, FormCloseMessageClosesWhatIsOpenAndNothingElse)
{
    EXPECT_FALSE(send("ZKTMP,WECHSEL,FORMULAR ZU")); // nothing open: no effect
    Startgeld1::Erstellen();
    Vorbereitung1::Erstellen();
    Ergebdruck1::Erstellen(true);
    send("ZKTMP,WECHSEL,FORMULAR ZU");
    EXPECT_EQ(Ergebdruck1::ErgebDruckForm, nullptr);
    EXPECT_EQ(Vorbereitung1::VorbereitungForm, nullptr);
    EXPECT_EQ(Startgeld1::StartgeldForm, nullptr);
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<Qvform::TQuarvelForm*>(w), nullptr) << w->metaObject()->className();

    // Only the results dialog open: the other two stay closed.
    Ergebdruck1::Erstellen(false);
    send("ZKTMP,WECHSEL,FORMULAR ZU,x");
    EXPECT_EQ(Ergebdruck1::ErgebDruckForm, nullptr);
}

TEST_F(ModuleTest, PrintFinishedResetsOnlyTheUnitsHoldingThatId)
{
    Ergebdruck1::DruckjobID = 17;
    Startgeld1::DruckjobID = 12;
    Ausnahme1::DruckjobID = 17; // the preparation centre's record
    EXPECT_TRUE(Report1dm::ReportForm->ProcessMessage("DRUCK FERTIG,17"));
    EXPECT_EQ(Ergebdruck1::DruckjobID, 0);
    EXPECT_EQ(Ausnahme1::DruckjobID, 0);
    EXPECT_EQ(Startgeld1::DruckjobID, 12);

    // Delivered through the host's distribution like every other message.
    EXPECT_TRUE(send("DRUCK FERTIG,12,egal"));
    EXPECT_EQ(Startgeld1::DruckjobID, 0);

    // Not a number counts as 0 and so changes nothing.
    Startgeld1::DruckjobID = 5;
    EXPECT_TRUE(Report1dm::ReportForm->ProcessMessage("DRUCK FERTIG,fünf"));
    EXPECT_EQ(Startgeld1::DruckjobID, 5);

    // The id is the field as it stands: "17 " or "+17" name no print.
    Ergebdruck1::DruckjobID = 17;
    for (const char* m : {"DRUCK FERTIG,17 ", "DRUCK FERTIG, 17", "DRUCK FERTIG,+17"})
        EXPECT_TRUE(Report1dm::ReportForm->ProcessMessage(m));
    EXPECT_EQ(Ergebdruck1::DruckjobID, 17);
    Ergebdruck1::DruckjobID = 0;

    EXPECT_FALSE(Report1dm::ReportForm->ProcessMessage("DRUCK FERTIG"));
    EXPECT_FALSE(Report1dm::ReportForm->ProcessMessage("druck fertig,5"));
    EXPECT_EQ(Startgeld1::DruckjobID, 5);
    EXPECT_FALSE(Report1dm::ReportForm->ReceiveMessage("DRUCK FERTIG,5"));
    Startgeld1::DruckjobID = 0;
}

TEST(ModuleLifecycle, CountedInitialisationAndStopFreesWhatItOwns)
{
    Host::TestUiGuard ui;
    Sectionlist::ClearReceivers();
    Qvmain::f_Menue()->PrintJobs().Clear();

    Initialize();
    TReportForm* first = Report1dm::ReportForm;
    ASSERT_NE(first, nullptr);
    Initialize(); // a second initialisation does nothing
    EXPECT_EQ(Report1dm::ReportForm, first);
    quarvelInit();
    EXPECT_NE(Report1dm::ReportForm, nullptr);

    Ergebdruck1::Erstellen(true);
    Startgeld1::Erstellen();
    Vorbereitung1::Erstellen();

    Finalize(); // balances the second Initialize only
    EXPECT_NE(Report1dm::ReportForm, nullptr);
    EXPECT_NE(Ergebdruck1::ErgebDruckForm, nullptr);

    Finalize();
    EXPECT_EQ(Report1dm::ReportForm, nullptr);
    EXPECT_FALSE(Qvunits::IsClassRegistered("TReportForm"));
    EXPECT_EQ(Ergebdruck1::ErgebDruckForm, nullptr);
    EXPECT_EQ(Startgeld1::StartgeldForm, nullptr);
    EXPECT_NE(Vorbereitung1::VorbereitungForm, nullptr); // the centre is not freed by its unit
    delete Vorbereitung1::VorbereitungForm;

    // Receivers outlive the module but do nothing once it has stopped.
    EXPECT_FALSE(Sectionlist::DistributeMessage("ZKTMP,REPORT,MENUE"));
    EXPECT_EQ(Ergebdruck1::ErgebDruckForm, nullptr);
    Sectionlist::ClearReceivers();
    Qvmain::f_Menue()->PrintJobs().Clear();
}

} // namespace
