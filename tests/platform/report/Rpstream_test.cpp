// The report stream file: round trip, page count, damaged files, temporary
// names and atomic writes.

#include "ReportTestUtil.h"

#include <QDataStream>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Report;
using namespace ReportTest;

namespace {

void mixedDocument(TBaseReport& r)
{
    r.SetTab(NA, pjRight, 2.0, 3, BOXLINEALL, 15);
    r.SetFontColor(QColor(200, 0, 0));
    r.Println("\tTab\tüber");
    r.SetPen(Qt::blue, Qt::DashLine, 3);
    r.MoveTo(1, 2);
    r.LineTo(3, 4);
    r.PrintBitmapRect(1, 1, 4, 3, "/bilder/WAPPEN.BMP");
    TRPBars2of5 bars(r);
    bars.SetText("42");
    bars.PrintXY(2, 20);
    r.NewPage();
    r.Println("Seite\tzwei\\");
}

// The stream file as QDataStream (Qt 6.0 encoding) writes the documented
// layout: the format older files were written in.
QByteArray qdatastreamBytes(const TReportDocument& doc)
{
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_6_0);
    s.writeRawData("QVRS", 4);
    s << StreamVersion << doc.Title << qint32(doc.Setup.Orientation) << qint32(doc.Setup.Paper)
      << doc.Setup.MarginLeft << doc.Setup.MarginRight << doc.Setup.MarginTop << doc.Setup.MarginBottom;
    s << qint32(doc.Fonts.size());
    for (const TFontSpec& f : doc.Fonts)
        s << f.Name << f.Size << f.Bold << f.Italic << f.Underline;
    s << qint32(doc.Pages.size());
    for (const TStreamPage& page : doc.Pages) {
        s << page.Width << page.Height << qint32(page.Ops.size());
        for (const TStreamOp& op : page.Ops) {
            s << quint8(op.Kind) << op.X1 << op.Y1 << op.X2 << op.Y2;
            switch (op.Kind) {
            case TOpKind::Text:
                s << qint8(op.Align) << op.Font << op.Color << op.Line << op.Tab << op.CellLeft << op.CellRight
                  << op.Text;
                break;
            case TOpKind::Line:
                s << op.Width << op.PenStyle << op.Color;
                break;
            case TOpKind::Box:
                s << op.Shade << op.Borders << op.Width << op.Color << op.Line << op.Tab << op.CellLeft
                  << op.CellRight;
                break;
            case TOpKind::Image:
                s << op.Text;
                break;
            case TOpKind::BarCode:
                s << op.Color << op.Text << op.Symbology << op.Modules;
                break;
            }
        }
    }
    return bytes;
}

} // namespace

TEST(Rpstream, LargeStreamsKeepTheQDataStreamLayout)
{
    // Several megabytes, with texts (one of them longer than a megabyte)
    // lying across the blocks the file is written and read in.
    TReportDocument doc;
    {
        TBaseReport r;
        r.BeginDocument();
        r.SetTab(NA, pjRight, 1.0, 3, BOXLINEBOTTOM, 10);
        r.SetTab(NA, pjLeft, 8.0, 3, 0, 0);
        for (int i = 0; i < 12000; ++i) {
            if (r.LinesLeft() < 1)
                r.NewPage();
            r.SetBold(i % 7 == 0);
            r.Println(QString("\t%1.\tSchütze Nr. %2 – Ĳsselmeer ✓").arg(i + 1).arg(i * 7919 % 10007));
        }
        r.PrintBitmapRect(1, 1, 2, 2, QString("")); // empty, not null
        r.PrintLeft(QString(600000, QChar(0x00e4)) + "Ende", 2.0);
        r.EndDocument();
        doc = r.TakeDocument();
    }
    const QByteArray expected = qdatastreamBytes(doc);
    ASSERT_GT(expected.size(), 3 << 20);

    QTemporaryDir dir;
    const QString file = dir.filePath("gross.ndr");
    ASSERT_TRUE(WriteStream(doc, file));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll() == expected) << "the file differs from QDataStream's encoding";
    f.close();

    // A file written by QDataStream reads back completely.
    const QString older = dir.filePath("aelter.ndr");
    QFile out(older);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(expected);
    out.close();
    TReportDocument back;
    QString error;
    ASSERT_TRUE(ReadStream(older, back, &error)) << error.toStdString();
    EXPECT_EQ(DumpDocument(back), DumpDocument(doc));
    // Every field, null and empty strings apart (the texts' symbology is null).
    EXPECT_TRUE(qdatastreamBytes(back) == expected) << "a field was lost on reading";
}

TEST(Rpstream, RoundTripKeepsEveryOperation)
{
    QTemporaryDir dir;
    TRvNDRWriter w;
    w.SetFileName(dir.filePath("liste.ndr"));
    w.SetTitle("Starterliste");
    w.SetOrientation(poLandscape);
    w.SetPaper(paA5);
    w.OnPrint = mixedDocument;
    ASSERT_TRUE(w.Execute()) << w.ErrorString().toStdString();
    EXPECT_EQ(w.FileName(), dir.filePath("liste.ndr"));
    // Only the stream itself is left in the folder (written under a temporary name, then renamed).
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"liste.ndr"}));

    TReportDocument back;
    QString error;
    ASSERT_TRUE(ReadStream(w.FileName(), back, &error)) << error.toStdString();
    EXPECT_EQ(DumpDocument(back), DumpDocument(w.Document()));
    EXPECT_EQ(back.Title, "Starterliste");
    EXPECT_EQ(back.Setup.Orientation, poLandscape);
    EXPECT_EQ(back.Setup.Paper, paA5);
    ASSERT_EQ(back.Pages.size(), 2);
    EXPECT_DOUBLE_EQ(back.Pages[0].Width, 21.0);
    EXPECT_DOUBLE_EQ(back.Pages[0].Height, 14.8);
    // Fields the dump does not show survive too: colour, pen, tab tags, bar pattern.
    const auto& ops = back.Pages[0].Ops;
    const auto& orig = w.Document().Pages[0].Ops;
    ASSERT_EQ(ops.size(), orig.size());
    for (int i = 0; i < ops.size(); ++i) {
        EXPECT_EQ(ops[i].Color, orig[i].Color);
        EXPECT_EQ(ops[i].PenStyle, orig[i].PenStyle);
        EXPECT_EQ(ops[i].Line, orig[i].Line);
        EXPECT_EQ(ops[i].Tab, orig[i].Tab);
        EXPECT_EQ(ops[i].Modules, orig[i].Modules);
    }
    EXPECT_EQ(TFilePrinter::GetPages(w.FileName()), 2);

    const QString dump = DumpStream(w.FileName());
    EXPECT_TRUE(dump.contains("L\t1\t1.000\t2.000\t3.000\t4.000\t3\n"));
    EXPECT_TRUE(dump.contains("I\t1\t1.000\t1.000\t3.000\t2.000\t/bilder/WAPPEN.BMP\n"));
    EXPECT_TRUE(dump.contains("C\t1\t2.000\t20.000\tC25INTER\t42\n"));
    // Tabs and backslashes inside a text stay on one dump line.
    EXPECT_TRUE(dump.contains("\tzwei\\\\\n"));
}

TEST(Rpstream, DamagedOrForeignFilesAreRefused)
{
    QTemporaryDir dir;
    TRvNDRWriter w;
    w.SetFileName(dir.filePath("ok.ndr"));
    w.OnPrint = mixedDocument;
    ASSERT_TRUE(w.Execute());
    QFile f(w.FileName());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    f.close();

    auto writeFile = [&](const QString& name, const QByteArray& data) {
        QFile out(dir.filePath(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(data);
        return out.fileName();
    };
    QByteArray newer = bytes;
    newer[5] = char(StreamVersion + 1); // version is the big-endian quint16 after the magic
    for (const QString& bad : {writeFile("cut.ndr", bytes.left(bytes.size() / 2)), writeFile("text.ndr", "P 1\n"),
                               writeFile("newer.ndr", newer), dir.filePath("missing.ndr")}) {
        TReportDocument doc;
        QString error;
        EXPECT_FALSE(ReadStream(bad, doc, &error)) << bad.toStdString();
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(TFilePrinter::GetPages(bad), 0);
        EXPECT_TRUE(DumpStream(bad).isEmpty());
    }
}

TEST(Rpstream, WriterWithoutFileNameUsesANewTemporaryFileEachRun)
{
    TRvNDRWriter w;
    w.OnPrint = [](TBaseReport& r) { r.Println("eins"); };
    ASSERT_TRUE(w.Execute());
    const QString first = w.FileName();
    ASSERT_TRUE(w.Execute());
    const QString second = w.FileName();
    EXPECT_NE(first, second);
    EXPECT_TRUE(QFile::exists(first));
    EXPECT_TRUE(QFile::exists(second));
    EXPECT_EQ(TFilePrinter::GetPages(second), 1);
    QFile::remove(first);
    QFile::remove(second);
}
