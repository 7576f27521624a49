// The host asks before a print entry opens its window: the organiser's
// confirmation or choice of the championship, the message when no
// championship is open, and the federation-title switch of the host.

#include "MainWindow.h"
#include "OrganiserDialog.h"

#include "platform/host/Datamod.h"
#include "platform/host/Qvmain.h"
#include "platform/host/Qvsettings.h"
#include "tests/support/Fixture.h"
#include "tests/support/TestHostUi.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Answers the next modal dialog: picks row (when >= 0) and presses button.
void antworten(int row, const char* button)
{
    QTimer::singleShot(0, [row, button] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        auto* list = dialog->findChild<QListWidget*>("lx_Veranstalter");
        ASSERT_NE(list, nullptr);
        if (row >= 0)
            list->setCurrentRow(row);
        dialog->findChild<QPushButton*>(button)->click();
    });
}

TEST(Organiser, ConfirmingOrChoosingTheChampionship)
{
    Host::TestUiGuard ui;
    Fixture::Database db;
    db.insert("ZKTMP", {{"Ident", 4}, {"Veranstalter", "Gau Dachau"}, {"Veranstaltung", "Gaumeisterschaft 2026"}});
    ASSERT_EQ(Datamod::iIdent, 1);

    antworten(-1, "bt_OK"); // the current one is chosen: confirmed as it is
    EXPECT_TRUE(OrganiserDialog::Ask(nullptr));
    EXPECT_EQ(Datamod::iIdent, 1);

    antworten(1, "bt_Abbrechen"); // another one picked, then cancelled: nothing changes
    EXPECT_FALSE(OrganiserDialog::Ask(nullptr));
    EXPECT_EQ(Datamod::iIdent, 1);

    antworten(1, "bt_OK");
    EXPECT_TRUE(OrganiserDialog::Ask(nullptr));
    EXPECT_EQ(Datamod::iIdent, 4);
    EXPECT_EQ(Datamod::sVeranstaltung, "Gaumeisterschaft 2026");
}

TEST(Organiser, PrintEntriesWithoutAChampionshipSaySoAndOpenNothing)
{
    Host::TestUiGuard ui;
    QTemporaryDir dir;
    QSettings recent(dir.filePath("m.conf"), QSettings::IniFormat);
    Datamod::DataModule1()->CloseDatabase();
    int geoeffnet = 0;
    auto& jobs = Qvmain::f_Menue()->PrintJobs();
    jobs.Clear();
    jobs.AddJob(1, "Listen zur Durchführung", [&](Sectionlist::TPrintJob&) { return ++geoeffnet > 0; });
    MainWindow window(&recent);
    window.runPrintJob(0);
    EXPECT_EQ(geoeffnet, 0);
    ASSERT_EQ(ui->messages.size(), 1);
    EXPECT_TRUE(ui->messages[0].text.startsWith("Es ist keine Meisterschaft geöffnet."));

    Fixture::Database db;
    window.runPrintJob(0);
    EXPECT_EQ(geoeffnet, 1);
    EXPECT_EQ(ui->messages.size(), 1);
    jobs.Clear();
}

TEST(Organiser, TheFederationTitleIsASettingOfTheChampionship)
{
    Host::TestUiGuard ui;
    QTemporaryDir dir;
    QSettings recent(dir.filePath("m.conf"), QSettings::IniFormat);
    Fixture::Database db;
    MainWindow window(&recent);
    window.updateTitle();
    auto* schalter = window.findChild<QAction*>("mi_VerbandTitel");
    ASSERT_NE(schalter, nullptr);
    EXPECT_TRUE(schalter->isEnabled());
    EXPECT_FALSE(schalter->isChecked());
    schalter->trigger();
    EXPECT_TRUE(Datamod::bVerbandTitel);
    EXPECT_EQ(Qvsettings::GetString("Allgemein", "VerbandTitel"), "J");
    schalter->trigger();
    EXPECT_FALSE(Datamod::bVerbandTitel);
    EXPECT_EQ(Qvsettings::GetString("Allgemein", "VerbandTitel"), "N");
}

} // namespace
