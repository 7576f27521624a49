#include "platform/host/Datamod.h"
#include "platform/host/DisziplinInfo.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Einstell.h"
#include "platform/host/HostUi.h"
#include "platform/host/Qvpaths.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/QvsettingsDb.h"
#include "platform/report/Rpfiler.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace Datamod {

int iIdent = 0;
QString sVeranstaltung;
QString sDruckPfad;
int iVerband = 0;
TObjectStringList PDFStringList;

QString BSV = "Badischer Sportschützenverband";
QString PSSB = "Pfälzischer Sportschützenbund";
QString ZKT = "ZKT";
QString BSSB = "Bayerischer Sportschützenbund";

bool bVerbandTitel = false;
bool bDSB = false;
QString sTeilmeisterschaft;

QString VerbandName(int verband)
{
    switch (verband) {
    case 0: return BSV;
    case 1: return PSSB;
    case 2: return ZKT;
    case 3: return BSSB;
    default: return QString();
    }
}

int TObjectStringList::AddObject(const QString& s, std::unique_ptr<TDisziplin> object)
{
    items_.emplace_back(s, std::move(object));
    return int(items_.size()) - 1;
}

QStringList TObjectStringList::ToStringList() const
{
    QStringList l;
    for (const auto& [s, o] : items_)
        l << s;
    return l;
}

namespace {
// The database is closed while the application still has its SQL drivers.
void closeAtExit()
{
    DataModule1()->CloseDatabase();
}
} // namespace

TDataModule1::TDataModule1() { setObjectName("DataModule1"); }

TDataModule1::~TDataModule1() { CloseDatabase(); }

bool TDataModule1::VeranstalterAuswaehlen() { return Host::ui().confirmOrganiser(); }

bool TDataModule1::OpenDatabase(const QString& fileOrUrl, QString* error)
{
    CloseDatabase();
    auto conn = std::make_unique<Ado::TADOConnection>();
    if (!conn->Open(fileOrUrl, error))
        return false;
    // Only a championship database is opened: another database (or a file
    // that is none) is left as it is, nothing is written into it. A
    // database another workstation holds locked says so.
    try {
        conn->Scalar("SELECT COUNT(*) FROM ZKTMP");
    } catch (const Ado::EDatenfehler& e) {
        if (error)
            *error = e.Message().contains("gesperrt") || conn->TableExists("ZKTMP")
                ? e.Message()
                : QString("\"%1\" ist keine Meisterschaftsdatenbank (die Tabelle ZKTMP fehlt)").arg(fileOrUrl);
        return false;
    }
    try {
        Qvsettings::SetSettingsStore(std::make_unique<Qvsettings::TDbSettings>(conn.get()));
    } catch (const std::exception& e) {
        if (error)
            *error = ExceptionText(e);
        return false;
    }
    connection_ = std::move(conn);
    Ado::SetDefaultConnection(connection_.get());
    static bool registered = false;
    if (!registered && QCoreApplication::instance()) {
        qAddPostRoutine(closeAtExit);
        registered = true;
    }

    SetCurrentChampionship(Einstell::IniFile.GetIdent());
    return true;
}

void TDataModule1::SetCurrentChampionship(int ident)
{
    // What was read of the disciplines belongs to the championship before.
    DisziplinInfoVergessen();
    iIdent = ident;
    sVeranstaltung.clear();
    if (connection_ && connection_->TableExists("ZKTMP")) {
        QVariant name = connection_->Scalar(
            "SELECT CASE WHEN Veranstaltung <> '' THEN Veranstaltung ELSE Veranstalter END FROM ZKTMP WHERE Ident = ?",
            {ident});
        sVeranstaltung = name.toString();
    }
    iVerband = Qvsettings::GetInteger("Allgemein", "Verband");
    // The host's switch for the federation's name in page headers, kept with
    // the championship's settings so every workstation prints the same.
    bVerbandTitel = Qvsettings::GetString("Allgemein", "VerbandTitel") == "J";
}

void TDataModule1::CloseDatabase()
{
    if (!connection_)
        return;
    Qvsettings::SetSettingsStore(nullptr);
    if (Ado::DefaultConnection() == connection_.get())
        Ado::SetDefaultConnection(nullptr);
    connection_.reset();
    DisziplinInfoVergessen();
    iIdent = 0;
    sVeranstaltung.clear();
    iVerband = 0;
}

bool TDataModule1::DatabaseOpen() const { return connection_ && connection_->Connected(); }

std::unique_ptr<Ado::TADOQuery> TDataModule1::DynQuery(const QString& sql, Ado::TCursorLocation location,
                                                       Ado::TLockType lock)
{
    if (!DatabaseOpen())
        throw EHostFehler("Keine Datenbank geöffnet");
    auto q = std::make_unique<Ado::TADOQuery>(connection_.get());
    q->SetCursorLocation(location);
    q->SetLockType(lock);
    q->SetSQL(sql);
    if (q->ParamCount() == 0)
        q->Open();
    return q;
}

void TDataModule1::DynSQL(const QString& sql)
{
    if (!DatabaseOpen())
        throw EHostFehler("Keine Datenbank geöffnet");
    connection_->Execute(sql);
}

void TDataModule1::UmmeldungSpeichern(const QString& VereinNr, const QString& Disziplin, const QString& Klasse,
                                      const QString& MannschNr, const QString&)
{
    DynSQL(QStringList{"UPDATE EMANNSCH SET Ummeldung = COALESCE(Ummeldung, 0) + 1",
                       "WHERE Ident = " + QString::number(iIdent), "  AND VereinNr = " + Ado::QuotedStr(VereinNr),
                       "  AND Disziplin = " + Ado::QuotedStr(Disziplin), "  AND MKlasse = " + Ado::QuotedStr(Klasse),
                       "  AND MannschNr = " + Ado::QuotedStr(MannschNr)}
               .join("\r\n"));
}

std::unique_ptr<Ado::TClientDataSet> TDataModule1::DynCLDS(const QString& sql, bool readOnly)
{
    if (!DatabaseOpen())
        throw EHostFehler("Keine Datenbank geöffnet");
    auto cds = std::make_unique<Ado::TClientDataSet>(connection_.get());
    cds->SetReadOnly(readOnly);
    cds->SetSQL(sql);
    if (cds->ParamCount() == 0)
        cds->Open();
    return cds;
}

bool TDataModule1::DruckdateiSpeichern(QString* fehler)
{
    lastArchive_.clear();
    if (sDruckPfad.isEmpty())
        return true;
    QFile source(sDruckPfad);
    if (!QFileInfo(sDruckPfad).isFile())
        return true; // printed straight to a file: nothing to archive
    auto scheitern = [&](const QString& warum) {
        if (fehler)
            *fehler = "Die Druckdatei wurde nicht archiviert: " + warum;
        return false;
    };
    if (!source.open(QIODevice::ReadOnly))
        return scheitern(QString("\"%1\" kann nicht gelesen werden").arg(sDruckPfad));
    const QString folder = Qvpaths::DataFolder() + "/Archiv";
    if (!QDir().mkpath(folder))
        return scheitern(QString("der Ordner \"%1\" kann nicht angelegt werden").arg(folder));
    const QFileInfo fi(sDruckPfad);
    const QString stamp = QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss-zzz");
    const QString suffix = fi.suffix().isEmpty() ? QString() : "." + fi.suffix();
    QString target = folder + "/" + fi.completeBaseName() + "_" + stamp + suffix;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = folder + "/" + fi.completeBaseName() + "_" + stamp + "-" + QString::number(n) + suffix;
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return scheitern(Report::DateiFehler(target, out));
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(1 << 20);
        if (out.write(chunk) != chunk.size()) {
            const QString warum = Report::DateiFehler(target, out); // before cancelling, which has its own text
            out.cancelWriting();
            return scheitern(warum);
        }
    }
    if (!out.commit())
        return scheitern(Report::DateiFehler(target, out));
    lastArchive_ = target;
    ArchivBegrenzen(folder);
    return true;
}

void TDataModule1::ArchivBegrenzen(const QString& folder, int hoechstzahl, qint64 hoechstgroesse)
{
    // The newest copies are kept, older ones go first.
    QDir dir(folder);
    const QFileInfoList dateien = dir.entryInfoList(QDir::Files, QDir::Time);
    qint64 summe = 0;
    for (int i = 0; i < dateien.size(); ++i) {
        summe += dateien[i].size();
        if (i >= hoechstzahl || summe > hoechstgroesse)
            QFile::remove(dateien[i].absoluteFilePath());
    }
}

TDataModule1* DataModule1()
{
    static TDataModule1* dm = new TDataModule1; // lives as long as the process
    return dm;
}

} // namespace Datamod
