// Verbs around report streams: the text dump and PDF rendering.

#include "Verbs.h"

#include "platform/report/Rplayout.h"
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

// reports1 check STREAM: the findings of the layout check, one a line;
// status 1 when there is any. reports1 check run JOB ...: the same for every
// print of a job run as by "reports1 run".
int check(const CliArgs& a)
{
    QTextStream err(stderr);
    if (!a.positional.isEmpty() && a.positional.first() == "run") {
        CliArgs job = a;
        job.positional.removeFirst();
        return runJob(job, true);
    }
    if (a.positional.size() != 1) {
        err << "Aufruf: reports1 check DRUCKDATEI | reports1 check run EINSPRUNG [ARG] --db DATEI ...\n";
        return 64;
    }
    Report::TReportDocument doc;
    QString error;
    if (!Report::ReadStream(a.positional.at(0), doc, &error)) {
        err << "FEHLER: " << error << "\n";
        return 1;
    }
    const auto findings = Report::CheckLayout(doc);
    QTextStream out(stdout);
    out << Report::LayoutReport(findings);
    return findings.isEmpty() ? 0 : 1;
}

} // namespace Verbs
