// Verbs around report streams: the text dump and PDF rendering.

#include "Verbs.h"

#include "platform/report/Rprender.h"
#include "platform/report/Rpstream.h"

#include <QTextStream>

namespace Verbs {

// reports1 dump STREAM: the stream's text dump on standard output.
int dump(const CliArgs& a)
{
    QTextStream err(stderr);
    if (a.positional.size() != 1) {
        err << "Aufruf: reports1 dump DRUCKDATEI\n";
        return 64;
    }
    Report::TReportDocument doc;
    QString error;
    if (!Report::ReadStream(a.positional.at(0), doc, &error)) {
        err << "FEHLER: " << error << "\n";
        return 1;
    }
    QTextStream out(stdout);
    out << Report::DumpDocument(doc);
    return 0;
}

// reports1 pdf STREAM OUT.pdf: the stream rendered as PDF.
int pdf(const CliArgs& a)
{
    QTextStream err(stderr);
    if (a.positional.size() != 2) {
        err << "Aufruf: reports1 pdf DRUCKDATEI AUSGABE.pdf\n";
        return 64;
    }
    Report::TRvRenderPDF render;
    render.OutputFileName = a.positional.at(1);
    if (!render.Render(a.positional.at(0))) {
        err << "FEHLER: " << render.ErrorString() << "\n";
        return 1;
    }
    return 0;
}

} // namespace Verbs
