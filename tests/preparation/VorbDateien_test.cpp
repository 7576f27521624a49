// The files per club: which entries of a folder count as a club's, the zip
// archives and their AES-256 passwords (opened again with libzip), the
// password file's merge rule, and the password sheets.

#include "tests/preparation/Zentrale.h"

#include "platform/host/Schtools.h"
#include "reports1/preparation/VorbDateien.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <zip.h>

namespace {

// The contents of one file of an archive read with password ("" = none);
// empty when the archive or the file cannot be opened with it.
QByteArray entpacken(const QString& archiv, const QString& datei, const QString& passwort)
{
    int err = 0;
    zip_t* za = zip_open(QFile::encodeName(archiv).constData(), ZIP_RDONLY, &err);
    if (!za)
        return {};
    QByteArray out;
    zip_file_t* f = passwort.isEmpty() ? zip_fopen(za, datei.toUtf8().constData(), 0)
                                       : zip_fopen_encrypted(za, datei.toUtf8().constData(), 0, passwort.toUtf8().constData());
    if (f) {
        char buf[4096];
        zip_int64_t n;
        while ((n = zip_fread(f, buf, sizeof buf)) > 0)
            out.append(buf, int(n));
        if (n < 0)
            out.clear();
        zip_fclose(f);
    }
    zip_discard(za);
    return out;
}

// The encryption method of each file of an archive.
QList<int> verschluesselung(const QString& archiv)
{
    QList<int> out;
    int err = 0;
    zip_t* za = zip_open(QFile::encodeName(archiv).constData(), ZIP_RDONLY, &err);
    if (!za)
        return out;
    for (zip_int64_t i = 0; i < zip_get_num_entries(za, 0); ++i) {
        zip_stat_t st;
        if (zip_stat_index(za, zip_uint64_t(i), 0, &st) == 0)
            out << st.encryption_method;
    }
    zip_discard(za);
    return out;
}

void schreiben(const QString& pfad, const QByteArray& inhalt)
{
    QDir().mkpath(QFileInfo(pfad).absolutePath());
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(inhalt);
}

class Dateien : public Zentrale::Test {
protected:
    void SetUp() override
    {
        Zentrale::Test::SetUp();
        for (const char* nr : {"1101", "1102", "1201", "1202"})
            db.insert("EVEREIN", {{"VereinNr", nr}, {"Name", QString("Verein ") + nr}});
        // Out of order, a club twice (the first line counts), one missing.
        schreiben(passwoerter(), "1201;gelb-3\r\n1101;rot;1\r\nkeine Zeile\r\n1102;blau-2\r\n1102;spaeter\r\n");
    }
    QString ordner(const char* name = "") { return QDir(aus.path()).filePath(name); }
    QString passwoerter() { return QDir(db.folder()).filePath("passwoerter.csv"); }

    QTemporaryDir aus;
};

TEST(Passwortdatei, SortedByClubAndMatchedFromThePreviousMatchOn)
{
    QTemporaryDir dir;
    const QString datei = dir.filePath("pw.csv");
    schreiben(datei, QByteArray("1201;gelb\n12;kurz\n120;mittel\n1101;gr\xfcn\n")); // Windows-1252
    const QStringList zeilen = VorbDateien::PasswortZeilen(datei);
    EXPECT_EQ(zeilen, (QStringList{"1101;grün", "12;kurz", "120;mittel", "1201;gelb"}));
    const auto pw = VorbDateien::Zuordnen({"1101", "12", "120", "1201", "1300"}, zeilen);
    EXPECT_EQ(pw.value("12"), "kurz");
    EXPECT_EQ(pw.value("120"), "mittel");
    EXPECT_EQ(pw.value("1201"), "gelb");
    EXPECT_FALSE(pw.contains("1300"));
    // Only lines after the previous match are searched.
    EXPECT_FALSE(VorbDateien::Zuordnen({"1201", "1101"}, zeilen).contains("1101"));
    // A long password is cut at 99 characters.
    schreiben(datei, "1101;" + QByteArray(120, 'x') + "\n");
    EXPECT_EQ(VorbDateien::Zuordnen({"1101"}, VorbDateien::PasswortZeilen(datei)).value("1101").size(), 99);
    EXPECT_THROW(VorbDateien::PasswortZeilen(dir.filePath("fehlt.csv")), std::exception);

    // The longest password still fits its sheet.
    Report::TRvNDRWriter w;
    w.OnPrint = [](Report::TBaseReport& r) { VorbDateien::PasswortPrint(r, QString(99, 'W')); };
    ASSERT_TRUE(w.Execute());
    EXPECT_EQ(ReportTest::layoutFindings(w.FileName()), "");
    QFile::remove(w.FileName());
}

TEST_F(Dateien, ZipPacksEachClubEntryWithThatClubsPasswordOnly)
{
    schreiben(ordner("1101/Startzusammenfassung.pdf"), "%PDF Verein 1101");
    schreiben(ordner("1101/Karten/Startkarten.pdf"), "%PDF Karten 1101");
    schreiben(ordner("1102/Startzusammenfassung.pdf"), "%PDF Verein 1102");
    schreiben(ordner("1202/Startzusammenfassung.pdf"), "%PDF Verein 1202"); // not in the password file
    schreiben(ordner("9999/Fremd.pdf"), "kein Verein");
    schreiben(ordner("notiz.txt"), "kein Verein");

    // No password file chosen yet: the zip button asks for one.
    ui->folders = {ordner()};
    ui->files = {passwoerter()};
    ASSERT_EQ(play({"bt_Zip"}), Vcl::TFormDriver::Ok) << fehler.toStdString();
    EXPECT_EQ(ui->folderPrompts, (QStringList{"Laufwerk für die Ausgabedateien", "Passwortdatei einlesen"}));
    EXPECT_EQ(ui->fileFilters, QStringList{"CSV-Dateien|*.csv"});
    EXPECT_EQ(ui->messageTexts(), QStringList{"Die vorhandenen Dateien wurden komprimiert"});
    EXPECT_EQ(Datamod::PDFStringList.ToStringList(), (QStringList{ordner("1101"), ordner("1102"), ordner("1202")}));
    EXPECT_EQ(Datamod::PDFStringList.Objects(1)->Disziplin, "1102");
    EXPECT_FALSE(QFile::exists(ordner("9999.zip")));

    const QString a = ordner("1101.zip");
    EXPECT_EQ(verschluesselung(a), (QList<int>{ZIP_EM_AES_256, ZIP_EM_AES_256}));
    EXPECT_EQ(entpacken(a, "1101/Karten/Startkarten.pdf", "rot;1"), "%PDF Karten 1101");
    EXPECT_EQ(entpacken(a, "1101/Startzusammenfassung.pdf", "rot;1"), "%PDF Verein 1101");
    EXPECT_TRUE(entpacken(a, "1101/Startzusammenfassung.pdf", "blau-2").isEmpty()); // another club's
    EXPECT_TRUE(entpacken(a, "1101/Startzusammenfassung.pdf", "").isEmpty());
    EXPECT_EQ(entpacken(ordner("1102.zip"), "1102/Startzusammenfassung.pdf", "blau-2"), "%PDF Verein 1102");
    EXPECT_TRUE(entpacken(ordner("1102.zip"), "1102/Startzusammenfassung.pdf", "rot;1").isEmpty());
    // A club without a password is packed without one.
    EXPECT_EQ(verschluesselung(ordner("1202.zip")), QList<int>{ZIP_EM_NONE});
    EXPECT_EQ(entpacken(ordner("1202.zip"), "1202/Startzusammenfassung.pdf", ""), "%PDF Verein 1202");

    // The file chosen is kept; a second run asks only for the folder and
    // replaces the archives whole.
    schreiben(ordner("1101/Startzusammenfassung.pdf"), "%PDF neu");
    ui->folderPrompts.clear();
    ui->folders = {ordner()};
    ASSERT_EQ(play({"bt_Zip"}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(ui->folderPrompts, QStringList{"Laufwerk für die Ausgabedateien"});
    EXPECT_EQ(entpacken(a, "1101/Startzusammenfassung.pdf", "rot;1"), "%PDF neu");
    EXPECT_EQ(QDir(ordner()).entryList({"*.zip*"}, QDir::Files), (QStringList{"1101.zip", "1102.zip", "1202.zip"}));
}

TEST_F(Dateien, ZipWithoutClubEntriesOrWithCancelledPromptsEndsAsItShould)
{
    schreiben(ordner("notiz.txt"), "kein Verein");
    ui->folders = {ordner()};
    ASSERT_EQ(play({"bt_Zip"}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(ui->messageTexts(), QStringList{"Es sind keine Dateien zum komprimieren vorhanden"});
    EXPECT_EQ(ui->folderPrompts.size(), 1); // no password file asked for

    // The folder prompt cancelled: silently nothing.
    ui->messages.clear();
    ASSERT_EQ(play({"bt_Zip"}), Vcl::TFormDriver::Ok);
    EXPECT_TRUE(ui->messages.isEmpty());

    // The password prompt cancelled: packed without passwords.
    schreiben(ordner("1201"), "%PDF eine Datei");
    ui->folders = {ordner()};
    ASSERT_EQ(play({"bt_Zip"}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(verschluesselung(ordner("1201.zip")), QList<int>{ZIP_EM_NONE});
    EXPECT_EQ(entpacken(ordner("1201.zip"), "1201", ""), "%PDF eine Datei");
    EXPECT_TRUE(ui->errors.isEmpty());
}

TEST_F(Dateien, PasswordSheetsOnePerClubWithAStartAndALine)
{
    for (const char* nr : {"1202", "1102", "1101", "1101"})
        db.insert("ERGEBNIS", {{"Ident", 1}, {"VereinNr", nr}, {"Disziplin", "110"}});
    db.insert("ERGEBNIS", {{"Ident", 2}, {"VereinNr", "1201"}, {"Disziplin", "110"}}); // other championship
    ui->files = {passwoerter()};
    ui->folders = {ordner()};
    ASSERT_EQ(play({"bt_Passwort"}), Vcl::TFormDriver::Ok) << fehler.toStdString();
    EXPECT_EQ(ui->folderPrompts, (QStringList{"Passwortdatei einlesen", "Passwörter für PDF-Dateien ausgeben"}));
    EXPECT_EQ(ui->messageTexts(), QStringList{"Die Password-Dateien sind erstellt"});
    EXPECT_EQ(Datamod::PDFStringList.ToStringList(), (QStringList{"1101", "1102", "1202"}));
    // 1202 has no line: no sheet, and never another club's password.
    EXPECT_EQ(QDir(ordner()).entryList(QDir::Files), (QStringList{"1101PW.PDF", "1102PW.PDF"}));
    const QString text = ReportTest::run("pdftotext", {ordner("1101PW.PDF"), "-"});
    if (!text.isEmpty()) {
        EXPECT_TRUE(text.contains("Das Passwort für Ihren Verein lautet:"));
        EXPECT_TRUE(text.contains("rot;1"));
        EXPECT_FALSE(ReportTest::run("pdftotext", {ordner("1102PW.PDF"), "-"}).contains("rot;1"));
    }
    EXPECT_TRUE(Vorbereitung1::VorbereitungForm->sPassword.isEmpty());
    EXPECT_EQ(Vorbereitung1::VorbereitungForm->PDFListe.size(), 4);

    // The file chosen here is the one the zip button uses.
    schreiben(ordner("zip/1101/a.pdf"), "%PDF");
    ui->folders = {ordner("zip")};
    ASSERT_EQ(play({"bt_Zip"}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(entpacken(ordner("zip/1101.zip"), "1101/a.pdf", "rot;1"), "%PDF");

    // Cancelling either prompt ends without a word and without a sheet.
    QDir(ordner()).remove("1101PW.PDF");
    ui->messages.clear();
    ASSERT_EQ(play({"bt_Passwort"}), Vcl::TFormDriver::Ok);
    ui->files = {passwoerter()};
    ASSERT_EQ(play({"bt_Passwort"}), Vcl::TFormDriver::Ok);
    EXPECT_TRUE(ui->messages.isEmpty());
    EXPECT_FALSE(QFile::exists(ordner("1101PW.PDF")));
}

} // namespace
