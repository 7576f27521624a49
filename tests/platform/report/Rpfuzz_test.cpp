// Damaged and hostile report streams: every reader of a stream (the dump,
// the layout check, the PDF writer, the page painter of preview and printer,
// the RTF and HTML export) either refuses the file with a message or makes
// something of it; none of them crashes, hangs or eats the machine.
//
// The mutants come from a fixed seed, so a failure is found again on the
// next run; the test names the mutant that failed.

#include "platform/report/Rpfiler.h"
#include "platform/report/Rplayout.h"
#include "platform/report/Rppdf.h"
#include "platform/report/Rprender.h"
#include "platform/report/Rpstream.h"

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>

using namespace Report;

namespace {

// A document with every kind of operation on three pages.
TReportDocument Vorlage(const QString& bild)
{
    TReportDocument doc;
    doc.Title = "Ergebnisliste";
    doc.Setup.Title = doc.Title;
    const int normal = doc.FontIndex({"Arial", 10});
    const int fett = doc.FontIndex({"Arial", 12, true});
    const int kursiv = doc.FontIndex({"Times New Roman", 8, false, true, true});
    for (int p = 0; p < 3; ++p) {
        TStreamPage page;
        for (int z = 1; z <= 8; ++z) {
            const double y = 2.0 + z * 0.5;
            TStreamOp box;
            box.Kind = TOpKind::Box;
            box.X1 = 2.0;
            box.Y1 = y - 0.4;
            box.X2 = 17.0;
            box.Y2 = 0.5;
            box.Shade = z % 2 ? 10 : 0;
            box.Borders = BorderLeft | BorderBottom;
            box.Line = z;
            box.Tab = 1;
            box.CellLeft = 2.0;
            box.CellRight = 19.0;
            page.Ops << box;
            TStreamOp t;
            t.Kind = TOpKind::Text;
            t.X1 = z % 3 == 0 ? 18.5 : 2.1;
            t.Align = z % 3 == 0 ? 'R' : 'L';
            t.Y1 = y;
            t.X2 = 3.0;
            t.Font = z % 3 == 0 ? fett : normal;
            t.Line = z;
            t.Tab = 1;
            t.CellLeft = 2.0;
            t.CellRight = 19.0;
            t.Text = QString("Schütze %1, Verein „Eichenlaub“ 378,4").arg(z);
            page.Ops << t;
        }
        TStreamOp linie;
        linie.Kind = TOpKind::Line;
        linie.X1 = 2.0;
        linie.Y1 = 1.5;
        linie.X2 = 19.0;
        linie.Y2 = 1.5;
        linie.Width = 2;
        page.Ops << linie;
        TStreamOp kopf;
        kopf.Font = kursiv;
        kopf.X1 = 10.5;
        kopf.Align = 'C';
        kopf.Y1 = 1.2;
        kopf.X2 = 4.0;
        kopf.Text = "Seite " + QString::number(p + 1);
        page.Ops << kopf;
        TStreamOp img;
        img.Kind = TOpKind::Image;
        img.X1 = 2.0;
        img.Y1 = 25.0;
        img.X2 = 2.0;
        img.Y2 = 1.0;
        img.Text = bild;
        page.Ops << img;
        TStreamOp code;
        code.Kind = TOpKind::BarCode;
        code.X1 = 12.0;
        code.Y1 = 25.0;
        code.X2 = 4.0;
        code.Y2 = 1.0;
        code.Text = "4012345678901";
        code.Symbology = "EAN13";
        code.Modules = "10100011010110001001100100110111101";
        page.Ops << code;
        doc.Pages << page;
    }
    return doc;
}

// Everything that reads a stream, on one document. Returns what it made,
// so the work cannot be optimised away and a document that reads but
// produces nothing shows.
qint64 AllesLesen(const TReportDocument& doc, const QString& ordner)
{
    qint64 gemacht = DumpDocument(doc).size();
    gemacht += LayoutReport(CheckLayout(doc)).size();
    const QString pdf = ordner + "/m.pdf";
    QString fehler;
    if (RenderPdf(doc, pdf, &fehler))
        gemacht += QFile(pdf).size();
    else
        EXPECT_FALSE(fehler.isEmpty());
    QFile::remove(pdf);
    gemacht += DocumentToRtf(doc).size() + DocumentToHtml(doc).size();
    QImage seite(120, 170, QImage::Format_ARGB32);
    for (int i = 0; i < std::min<int>(3, int(doc.Pages.size())); ++i) {
        seite.fill(Qt::white);
        QPainter painter(&seite);
        PaintPage(painter, doc, i, 5.0);
    }
    return gemacht;
}

QByteArray Datei(const QString& name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Schreiben(const QString& name, const QByteArray& inhalt)
{
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(inhalt);
}

// Values that break careless readers, as the bytes a field would hold.
QByteArray Boese(std::mt19937& zufall)
{
    static const double doubles[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                                     -std::numeric_limits<double>::infinity(), 1e300, -1e300, 1e9, -5.0, 0.0,
                                     std::numeric_limits<double>::denorm_min()};
    static const quint32 ints[] = {0xffffffffu, 0x7fffffffu, 0x80000000u, 0xfffffffeu, 1000000u, 0u, 1u, 0x10000u};
    QByteArray b;
    if (zufall() % 2) {
        const double d = doubles[zufall() % std::size(doubles)];
        quint64 bits;
        std::memcpy(&bits, &d, sizeof bits);
        for (int i = 7; i >= 0; --i)
            b.append(char((bits >> (8 * i)) & 0xff));
    } else {
        const quint32 v = ints[zufall() % std::size(ints)];
        for (int i = 3; i >= 0; --i)
            b.append(char((v >> (8 * i)) & 0xff));
    }
    return b;
}

QByteArray Mutieren(QByteArray b, std::mt19937& zufall)
{
    auto stelle = [&] { return qsizetype(zufall() % quint32(b.size())); };
    const int art = int(zufall() % 5);
    const int anzahl = 1 + int(zufall() % 6);
    for (int i = 0; i < anzahl && !b.isEmpty(); ++i) {
        switch (art) {
        case 0: // bit flips
            b[stelle()] = char(b[stelle()] ^ char(1 << (zufall() % 8)));
            break;
        case 1: { // a hostile value over a field
            const QByteArray v = Boese(zufall);
            const qsizetype at = stelle();
            b.replace(at, std::min<qsizetype>(v.size(), b.size() - at), v.left(b.size() - at));
            break;
        }
        case 2: // bytes inserted
            b.insert(stelle(), QByteArray(1 + int(zufall() % 9), char(zufall())));
            break;
        case 3: // a piece removed
            b.remove(stelle(), 1 + qsizetype(zufall() % 40));
            break;
        case 4: // cut off
            b.truncate(stelle());
            break;
        }
    }
    return b;
}

} // namespace

TEST(StreamFuzz, DamagedStreamFilesAreRefusedOrReadAndNothingCrashesOrHangs)
{
    QTemporaryDir ordner;
    const QString bild = ordner.filePath("logo.png");
    QImage logo(40, 20, QImage::Format_RGB32);
    logo.fill(Qt::darkBlue);
    ASSERT_TRUE(logo.save(bild));
    const QString vorlage = ordner.filePath("vorlage.ndr");
    ASSERT_TRUE(WriteStream(Vorlage(bild), vorlage));
    const QByteArray gesund = Datei(vorlage);
    ASSERT_GT(gesund.size(), 1000);

    std::mt19937 zufall(20261206);
    int gelesen = 0, abgelehnt = 0;
    QElapsedTimer uhr;
    uhr.start();
    for (int n = 0; n < 400; ++n) {
        SCOPED_TRACE("Mutante " + std::to_string(n));
        const QString datei = ordner.filePath("mutante.ndr");
        Schreiben(datei, Mutieren(gesund, zufall));
        TReportDocument doc;
        QString fehler;
        if (!ReadStream(datei, doc, &fehler)) {
            ++abgelehnt;
            EXPECT_FALSE(fehler.isEmpty());
            EXPECT_EQ(TFilePrinter::GetPages(datei), 0);
            continue;
        }
        ++gelesen;
        EXPECT_GE(AllesLesen(doc, ordner.path()), 0);
        EXPECT_LT(uhr.elapsed(), 120000) << "zu langsam bei Mutante " << n;
    }
    // Both ways are taken: the mutants are not all refused at the header,
    // nor all harmless.
    EXPECT_GT(gelesen, 40);
    EXPECT_GT(abgelehnt, 40);
}

// Values a damaged or foreign stream can carry in fields that read fine:
// non-numbers and extremes in every coordinate, fonts out of range, huge
// and negative sizes, texts of a megabyte, control characters, bar codes
// without bars.
TEST(StreamFuzz, HostileFieldValuesAreDrawnOrLeftOutButNeverCrash)
{
    QTemporaryDir ordner;
    const QString bild = ordner.filePath("logo.png");
    QImage logo(40, 20, QImage::Format_RGB32);
    logo.fill(Qt::red);
    ASSERT_TRUE(logo.save(bild));

    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const QList<double> zahlen{nan, inf, -inf, 1e300, -1e300, 1e7, -3.0, 0.0};
    const QStringList texte{QString(),
                            "",
                            QString(1 << 16, QChar(u'W')),
                            "Tab\tZeile\r\nNull" + QString(QChar(0)) + "Ende",
                            QString::fromUtf16(u"\U0001F3AF \u202Egnaltkcür \uFFFF") + QChar(0xD800),
                            "/dev/zero",
                            ordner.path()};

    std::mt19937 zufall(4711);
    for (int n = 0; n < 200; ++n) {
        SCOPED_TRACE("Mutante " + std::to_string(n));
        TReportDocument doc = Vorlage(bild);
        doc.Setup.MarginLeft = zahlen[zufall() % zahlen.size()];
        if (zufall() % 4 == 0)
            doc.Fonts[zufall() % doc.Fonts.size()].Size = zahlen[zufall() % zahlen.size()];
        if (zufall() % 8 == 0)
            doc.Fonts[zufall() % doc.Fonts.size()].Name = texte[zufall() % texte.size()];
        TStreamPage& page = doc.Pages[zufall() % doc.Pages.size()];
        if (zufall() % 6 == 0)
            (zufall() % 2 ? page.Width : page.Height) = zahlen[zufall() % zahlen.size()];
        for (int k = 0; k < 4; ++k) {
            TStreamOp& op = page.Ops[zufall() % page.Ops.size()];
            switch (zufall() % 9) {
            case 0: op.X1 = zahlen[zufall() % zahlen.size()]; break;
            case 1: op.Y1 = zahlen[zufall() % zahlen.size()]; break;
            case 2: op.X2 = zahlen[zufall() % zahlen.size()]; break;
            case 3: op.Y2 = zahlen[zufall() % zahlen.size()]; break;
            case 4: op.Font = qint32(zufall() % 2 ? -7 : 1000); break;
            case 5: op.Text = texte[zufall() % texte.size()]; break;
            case 6: op.Width = qint32(zufall() % 2 ? 1 << 30 : -100); op.PenStyle = qint32(zufall()); break;
            case 7: op.Shade = qint32(zufall() % 2 ? 1000 : -50); op.Align = char(zufall()); break;
            case 8:
                op.Modules = zufall() % 2 ? QString() : QString(100000, QChar(u'1'));
                op.Kind = TOpKind(1 + zufall() % 5);
                break;
            }
        }
        // Through the file too: what is written reads back the same.
        const QString datei = ordner.filePath("feld.ndr");
        ASSERT_TRUE(WriteStream(doc, datei));
        TReportDocument zurueck;
        ASSERT_TRUE(ReadStream(datei, zurueck));
        EXPECT_EQ(DumpDocument(zurueck), DumpDocument(doc));
        EXPECT_GE(AllesLesen(zurueck, ordner.path()), 0);
    }
}
