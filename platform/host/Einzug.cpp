#include "platform/host/Einzug.h"

#include "platform/host/Cent.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Qvpaths.h"
#include "platform/host/Qvsettings.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QXmlStreamWriter>

namespace Einzug {

namespace {

bool nurZiffern(const QString& s)
{
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// The remainder modulo 97 of a long number written as text: letters count
// as two digits (A = 10 … Z = 35), as IBANs and creditor identifiers use.
int mod97(const QString& s)
{
    int r = 0;
    for (QChar c : s) {
        if (c.isDigit())
            r = (r * 10 + c.digitValue()) % 97;
        else
            r = (r * 100 + (c.toLatin1() - 'A' + 10)) % 97;
    }
    return r;
}

QString zweiStellen(int n) { return QString::number(n).rightJustified(2, '0'); }

QByteArray zahl(qint64 n, int laenge) { return QByteArray::number(n).rightJustified(laenge, '0'); }
QByteArray zahl(const QString& ziffern, int laenge) { return ziffern.toLatin1().rightJustified(laenge, '0'); }
QByteArray leer(int laenge) { return QByteArray(laenge, ' '); }

// SEPA text: the Latin letters and signs German banks take (umlauts and ß
// included); accents are dropped, anything else becomes a blank.
QString sepaText(const QString& text, int laenge)
{
    static const QString erlaubt = QStringLiteral("ÄÖÜäöüß/-?:().,'+&*$% ");
    QString out;
    for (QChar c : text) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || erlaubt.contains(c)) {
            out += c;
            continue;
        }
        const QString zerlegt = QString(c).normalized(QString::NormalizationForm_D);
        const QChar basis = zerlegt.isEmpty() ? QChar(' ') : zerlegt.front();
        out += (basis.unicode() < 128 && basis.isLetterOrNumber()) ? basis : QChar(' ');
    }
    return out.simplified().left(laenge).trimmed();
}

} // namespace

QString Normiert(const QString& Text)
{
    QString s = Text.toUpper();
    s.remove(QRegularExpression(QStringLiteral("\\s")));
    return s;
}

QString IbanAusKonto(const QString& Blz, const QString& Konto)
{
    const QString blz = Normiert(Blz);
    QString konto = Normiert(Konto);
    if (blz.size() != 8 || !nurZiffern(blz) || !nurZiffern(konto) || konto.size() > 10)
        return {};
    konto = konto.rightJustified(10, '0');
    if (konto == QString(10, '0'))
        return {};
    const QString bban = blz + konto;
    const int pruef = 98 - mod97(bban + "DE00");
    return "DE" + zweiStellen(pruef) + bban;
}

bool IbanGueltig(const QString& Iban)
{
    static const QRegularExpression form(QStringLiteral("^[A-Z]{2}[0-9]{2}[A-Z0-9]{11,30}$"));
    const QString s = Normiert(Iban);
    if (!form.match(s).hasMatch())
        return false;
    if (s.startsWith("DE") && s.size() != 22)
        return false;
    return mod97(s.mid(4) + s.left(4)) == 1;
}

bool GlaeubigerIdGueltig(const QString& Id)
{
    static const QRegularExpression form(QStringLiteral("^[A-Z]{2}[0-9]{2}[A-Z0-9]{3}[A-Z0-9]{1,28}$"));
    const QString s = Normiert(Id);
    if (!form.match(s).hasMatch())
        return false;
    if (s.startsWith("DE") && s.size() != 18)
        return false;
    // The business code (characters 5 to 7) does not enter the check.
    return mod97(s.mid(7) + s.left(4)) == 1;
}

TKonto KontoLesen(const QString& Blz, const QString& Konto, QString& Fehler)
{
    TKonto k;
    Fehler.clear();
    const QString konto = Normiert(Konto);
    if (konto.size() > 2 && konto[0].isLetter() && konto[1].isLetter()) {
        if (!IbanGueltig(konto)) {
            Fehler = "die IBAN " + Konto.trimmed() + " ist ungültig";
            return k;
        }
        k.Iban = konto;
        if (konto.startsWith("DE")) {
            k.Blz = konto.mid(4, 8);
            k.Konto = konto.mid(12, 10);
        }
        return k;
    }
    if (Normiert(Blz).isEmpty() && konto.isEmpty()) {
        Fehler = "keine Bankverbindung";
        return k;
    }
    k.Iban = IbanAusKonto(Blz, Konto);
    if (k.Iban.isEmpty()) {
        Fehler = "die Bankverbindung BLZ " + Blz.trimmed() + ", Konto " + Konto.trimmed() + " ist unvollständig oder falsch";
        return k;
    }
    k.Blz = Normiert(Blz);
    k.Konto = konto.rightJustified(10, '0');
    return k;
}

// --- Mandate references ----------------------------------------------------

QString MandatsDateiName(QString Verband)
{
    // A slash in the association's name would make a folder of it.
    Verband.replace('/', '-').replace('\\', '-');
    return "Mandatsreferenzen " + Verband + ".csv";
}

QString MandatsDatei()
{
    return QDir(Qvpaths::ProgramFolder()).filePath(MandatsDateiName(Qvsettings::GetString("Global", "Verband")));
}

TMandate MandateLesen(const QString& Datei)
{
    TMandate mandate;
    if (!QFile::exists(Datei))
        return mandate;
    const QString name = QFileInfo(Datei).fileName();
    QFile f(Datei);
    if (!f.open(QIODevice::ReadOnly))
        throw EHostFehler("Die Datei der Mandatsreferenzen \"" + name + "\" kann nicht gelesen werden: " + f.errorString());
    const QByteArray roh = f.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(roh);
    if (utf8.hasError())
        text = QStringDecoder("windows-1252").decode(roh);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    static const QRegularExpression erlaubt(QStringLiteral("^[A-Za-z0-9/?:().,'+ -]{1,32}$"));
    const QStringList zeilen = text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    for (int i = 0; i < zeilen.size(); ++i) {
        const QString zeile = zeilen[i].trimmed();
        if (QString(zeile).remove(';').trimmed().isEmpty())
            continue;
        const QStringList teile = zeilen[i].split(';');
        const QString nr = teile.value(0).trimmed();
        const QString ref = teile.value(1).trimmed();
        auto falsch = [&](const QString& was) {
            return EHostFehler("Die Datei der Mandatsreferenzen \"" + name + "\" ist in Zeile " + QString::number(i + 1)
                               + " fehlerhaft: " + was);
        };
        if (i == 0 && !nurZiffern(nr))
            continue; // a heading: "VereinsNr;Mandatsreferenz"
        if (nr.isEmpty())
            throw falsch("die Vereinsnummer fehlt.");
        if (ref.isEmpty())
            throw falsch("die Mandatsreferenz für den Verein " + nr + " fehlt.");
        if (!erlaubt.match(ref).hasMatch())
            throw falsch("die Mandatsreferenz \"" + ref + "\" ist länger als 32 Zeichen oder enthält Zeichen, "
                         "die eine Lastschrift nicht tragen kann.");
        TMandat m;
        m.Referenz = ref;
        const QString datum = teile.value(2).trimmed();
        if (!datum.isEmpty()) {
            m.Unterschrift = QDate::fromString(datum, "dd.MM.yyyy");
            if (!m.Unterschrift.isValid())
                m.Unterschrift = QDate::fromString(datum, "d.M.yyyy");
            if (!m.Unterschrift.isValid())
                throw falsch("das Datum der Unterschrift \"" + datum + "\" ist kein Datum (TT.MM.JJJJ).");
        }
        if (mandate.count(nr))
            throw falsch("der Verein " + nr + " steht zweimal in der Datei.");
        mandate[nr] = m;
    }
    return mandate;
}

// --- The exchange file -------------------------------------------------------

TSummen Summen(const TAuftrag& Auftrag)
{
    TSummen s;
    for (const TPosten& p : Auftrag.Posten) {
        ++s.Anzahl;
        s.Cent += p.Cent;
        s.Konten += p.Konto.Konto.toLongLong();
        s.Bankleitzahlen += p.Konto.Blz.toLongLong();
    }
    return s;
}

QByteArray DtausText(const QString& Text, int Laenge)
{
    QByteArray out;
    for (QChar klein : Text) {
        const QChar c = klein.toUpper(); // one character each: "ß" stays one
        const char16_t u = c.unicode();
        char b = ' ';
        if ((u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || QStringLiteral(" .,&-/+*$%").contains(c))
            b = char(u);
        else if (u == u'Ä')
            b = 0x5B;
        else if (u == u'Ö')
            b = 0x5C;
        else if (u == u'Ü')
            b = 0x5D;
        else if (u == u'ß')
            b = 0x7E;
        else {
            const QString zerlegt = QString(c).normalized(QString::NormalizationForm_D);
            if (!zerlegt.isEmpty() && zerlegt.front() >= 'A' && zerlegt.front() <= 'Z')
                b = char(zerlegt.front().unicode());
        }
        out += b;
    }
    return out.left(Laenge).leftJustified(Laenge, ' ');
}

QByteArray DtausDatei(const TAuftrag& Auftrag)
{
    QByteArray a;
    a += "0128";
    a += "A";
    a += "LK";
    a += zahl(Auftrag.Konto.Blz, 8);
    a += zahl(0, 8);
    a += DtausText(Auftrag.Name, 27);
    a += Auftrag.Erstellt.toString("ddMMyy").toLatin1();
    a += leer(4);
    a += zahl(Auftrag.Konto.Konto, 10);
    a += zahl(0, 10);
    a += leer(15);
    a += leer(8);  // no execution date: the banks debit on receipt
    a += leer(24);
    a += "1";      // euro
    Q_ASSERT(a.size() == 128);

    QByteArray datei = a;
    for (const TPosten& p : Auftrag.Posten) {
        // Extensions: the rest of a long name, the second booking text.
        QVector<QByteArray> erw;
        const QByteArray name = DtausText(p.Name, 54);
        if (name.mid(27).trimmed().size() > 0)
            erw << "01" + name.mid(27, 27);
        if (!Auftrag.Text2.trimmed().isEmpty())
            erw << "02" + DtausText(Auftrag.Text2, 27);

        QByteArray c;
        c += zahl(187 + 29 * erw.size(), 4);
        c += "C";
        c += zahl(0, 8);
        c += zahl(p.Konto.Blz, 8);
        c += zahl(p.Konto.Konto, 10);
        c += zahl(0, 13);
        c += "05000";  // direct debit by authorisation
        c += " ";
        c += zahl(0, 11);
        c += zahl(Auftrag.Konto.Blz, 8);
        c += zahl(Auftrag.Konto.Konto, 10);
        c += zahl(p.Cent, 11);
        c += leer(3);
        c += name.left(27);
        c += leer(8);
        Q_ASSERT(c.size() == 128);
        c += DtausText(Auftrag.Name, 27);
        c += DtausText(Auftrag.Text1, 27);
        c += "1";
        c += leer(2);
        c += zahl(erw.size(), 2);
        for (int i = 0; i < 2; ++i)
            c += i < erw.size() ? erw[i] : leer(29);
        c += leer(11);
        Q_ASSERT(c.size() == 256);
        datei += c;
    }

    const TSummen s = Summen(Auftrag);
    QByteArray e;
    e += "0128";
    e += "E";
    e += leer(5);
    e += zahl(s.Anzahl, 7);
    e += zahl(0, 13);
    e += zahl(s.Konten, 17);
    e += zahl(s.Bankleitzahlen, 17);
    e += zahl(s.Cent, 13);
    e += leer(51);
    Q_ASSERT(e.size() == 128);
    datei += e;
    return datei;
}

// --- The SEPA file ---------------------------------------------------------------

QByteArray SepaDatei(const TAuftrag& Auftrag, const QString& MsgId)
{
    const TSummen s = Summen(Auftrag);
    const QString summe = Cent::PunktText(s.Cent);
    const QString name = sepaText(Auftrag.Name, 70);
    QByteArray out;
    QXmlStreamWriter x(&out);
    x.setAutoFormatting(true);
    x.setAutoFormattingIndent(2);
    x.writeStartDocument();
    x.writeDefaultNamespace(QStringLiteral("urn:iso:std:iso:20022:tech:xsd:pain.008.001.02"));
    x.writeStartElement(QStringLiteral("Document"));
    x.writeStartElement(QStringLiteral("CstmrDrctDbtInitn"));

    x.writeStartElement(QStringLiteral("GrpHdr"));
    x.writeTextElement(QStringLiteral("MsgId"), MsgId);
    x.writeTextElement(QStringLiteral("CreDtTm"), Auftrag.ErstelltUm.toString("yyyy-MM-ddTHH:mm:ss"));
    x.writeTextElement(QStringLiteral("NbOfTxs"), QString::number(s.Anzahl));
    x.writeTextElement(QStringLiteral("CtrlSum"), summe);
    x.writeStartElement(QStringLiteral("InitgPty"));
    x.writeTextElement(QStringLiteral("Nm"), name);
    x.writeEndElement();
    x.writeEndElement(); // GrpHdr

    auto agent = [&](const QString& tag) {
        // IBAN only: the bank is found from the IBAN.
        x.writeStartElement(tag);
        x.writeStartElement(QStringLiteral("FinInstnId"));
        x.writeStartElement(QStringLiteral("Othr"));
        x.writeTextElement(QStringLiteral("Id"), QStringLiteral("NOTPROVIDED"));
        x.writeEndElement();
        x.writeEndElement();
        x.writeEndElement();
    };
    auto konto = [&](const QString& tag, const QString& iban) {
        x.writeStartElement(tag);
        x.writeStartElement(QStringLiteral("Id"));
        x.writeTextElement(QStringLiteral("IBAN"), iban);
        x.writeEndElement();
        x.writeEndElement();
    };

    x.writeStartElement(QStringLiteral("PmtInf"));
    x.writeTextElement(QStringLiteral("PmtInfId"), MsgId + "-1");
    x.writeTextElement(QStringLiteral("PmtMtd"), QStringLiteral("DD"));
    x.writeTextElement(QStringLiteral("BtchBookg"), QStringLiteral("true"));
    x.writeTextElement(QStringLiteral("NbOfTxs"), QString::number(s.Anzahl));
    x.writeTextElement(QStringLiteral("CtrlSum"), summe);
    x.writeStartElement(QStringLiteral("PmtTpInf"));
    x.writeStartElement(QStringLiteral("SvcLvl"));
    x.writeTextElement(QStringLiteral("Cd"), QStringLiteral("SEPA"));
    x.writeEndElement();
    x.writeStartElement(QStringLiteral("LclInstrm"));
    x.writeTextElement(QStringLiteral("Cd"), QStringLiteral("CORE"));
    x.writeEndElement();
    x.writeTextElement(QStringLiteral("SeqTp"), QStringLiteral("RCUR"));
    x.writeEndElement(); // PmtTpInf
    x.writeTextElement(QStringLiteral("ReqdColltnDt"), Auftrag.Faellig.toString("yyyy-MM-dd"));
    x.writeStartElement(QStringLiteral("Cdtr"));
    x.writeTextElement(QStringLiteral("Nm"), name);
    x.writeEndElement();
    konto(QStringLiteral("CdtrAcct"), Auftrag.Konto.Iban);
    agent(QStringLiteral("CdtrAgt"));
    x.writeTextElement(QStringLiteral("ChrgBr"), QStringLiteral("SLEV"));
    x.writeStartElement(QStringLiteral("CdtrSchmeId"));
    x.writeStartElement(QStringLiteral("Id"));
    x.writeStartElement(QStringLiteral("PrvtId"));
    x.writeStartElement(QStringLiteral("Othr"));
    x.writeTextElement(QStringLiteral("Id"), Normiert(Auftrag.GlaeubigerId));
    x.writeStartElement(QStringLiteral("SchmeNm"));
    x.writeTextElement(QStringLiteral("Prtry"), QStringLiteral("SEPA"));
    x.writeEndElement();
    x.writeEndElement();
    x.writeEndElement();
    x.writeEndElement();
    x.writeEndElement(); // CdtrSchmeId

    const QString zweck = sepaText(Auftrag.Text1 + " " + Auftrag.Text2, 140);
    for (const TPosten& p : Auftrag.Posten) {
        x.writeStartElement(QStringLiteral("DrctDbtTxInf"));
        x.writeStartElement(QStringLiteral("PmtId"));
        x.writeTextElement(QStringLiteral("EndToEndId"), sepaText(MsgId + "-" + p.VereinNr, 35));
        x.writeEndElement();
        x.writeStartElement(QStringLiteral("InstdAmt"));
        x.writeAttribute(QStringLiteral("Ccy"), QStringLiteral("EUR"));
        x.writeCharacters(Cent::PunktText(p.Cent));
        x.writeEndElement();
        x.writeStartElement(QStringLiteral("DrctDbtTx"));
        x.writeStartElement(QStringLiteral("MndtRltdInf"));
        x.writeTextElement(QStringLiteral("MndtId"), p.Mandat);
        x.writeTextElement(QStringLiteral("DtOfSgntr"), p.Unterschrift.toString("yyyy-MM-dd"));
        x.writeEndElement();
        x.writeEndElement();
        agent(QStringLiteral("DbtrAgt"));
        x.writeStartElement(QStringLiteral("Dbtr"));
        x.writeTextElement(QStringLiteral("Nm"), sepaText(p.Name, 70));
        x.writeEndElement();
        konto(QStringLiteral("DbtrAcct"), p.Konto.Iban);
        if (!zweck.isEmpty()) {
            x.writeStartElement(QStringLiteral("RmtInf"));
            x.writeTextElement(QStringLiteral("Ustrd"), zweck);
            x.writeEndElement();
        }
        x.writeEndElement(); // DrctDbtTxInf
    }
    x.writeEndElement(); // PmtInf
    x.writeEndElement(); // CstmrDrctDbtInitn
    x.writeEndElement(); // Document
    x.writeEndDocument();
    return out;
}

} // namespace Einzug
