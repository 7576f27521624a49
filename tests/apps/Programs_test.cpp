// The two programs run as a user runs them.

#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct Outcome {
    int code;
    QString out;
};

Outcome run(const QString& program, const QStringList& args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.start(QString(REPORTS1_BIN_DIR) + "/" + program, args);
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput())};
}

TEST(Meisterschaft, SelftestLoadsTheModuleAndListsItsEntries)
{
    Outcome r = run("meisterschaft", {"--selftest"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.contains("Size: 18\n"));
    EXPECT_TRUE(r.out.contains("Framework: Meisterschaftsprogramm\n"));
    EXPECT_TRUE(r.out.contains("VersionHigh: 1\nVersionLow: 0\n"));
    EXPECT_TRUE(r.out.contains("Description: Reports\n"));
    EXPECT_TRUE(r.out.contains("LoadSequence: 101\n"));
    EXPECT_TRUE(r.out.contains("Menü 1: Startgeldliste\nMenü 2: Listen zur Vorbereitung\n"
                               "Menü 3: Listen zur Durchführung\n"));
}

TEST(Meisterschaft, MissingModuleIsAnErrorNotACrash)
{
    Outcome r = run("meisterschaft", {"--selftest", "--module", "/nicht/da/libReports1.so"});
    EXPECT_EQ(r.code, 1);
}

TEST(Reports1Cli, MessagesOpenAndCloseTheTopLevelDialogs)
{
    Outcome r = run("reports1", {"message", "ZKTMP,REPORT,MENUE", "ZKTMP,REPORT", "DRUCK FERTIG,3",
                             "ZKTMP,WECHSEL,FORMULAR ZU"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "open: TErgebDruckForm\nopen: TErgebDruckForm\nopen: TErgebDruckForm\nopen: -\n");
}

} // namespace
