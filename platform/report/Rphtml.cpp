#include "platform/report/Rphtml.h"

#include "platform/report/Rpfiler.h"

namespace Report {

namespace {

QString esc(const QString& text) { return text.toHtmlEscaped(); }

const char* const kStyle =
    "body { font-family: Arial, 'Liberation Sans', sans-serif; font-size: 10pt; margin: 1.5em auto; max-width: 60em; }\n"
    "h1 { font-size: 15pt; text-align: center; margin: 0 0 0.3em; }\n"
    "p.zeile { font-size: 12pt; text-align: center; margin: 0 0 1em; }\n"
    "table { border-collapse: collapse; width: 100%; margin: 0 0 1.2em; }\n"
    "caption { text-align: left; font-weight: bold; padding: 0.2em 0; }\n"
    "th, td { padding: 0.15em 0.5em; border-bottom: 1px solid #ccc; text-align: left; vertical-align: bottom; }\n"
    "thead th { border-bottom: 1px solid #000; }\n"
    "tbody th { font-weight: normal; }\n"
    "tbody tr:nth-child(even) { background: #f2f2f2; }\n"
    ".r { text-align: right; }\n"
    "@media print {\n"
    "  @page { size: A4 portrait; margin: 1.5cm 1.5cm 2cm 2cm; }\n"
    "  body { margin: 0; max-width: none; font-size: 9pt; }\n"
    "  thead { display: table-header-group; }\n"
    "  caption, tr { break-inside: avoid; page-break-inside: avoid; }\n"
    "  caption { break-after: avoid; page-break-after: avoid; }\n"
    "  tbody tr:nth-child(even) { background: none; }\n"
    "}\n";

} // namespace

THtmlDocument::THtmlDocument(const QString& title) : title_(title) {}

void THtmlDocument::AddLine(const QString& text)
{
    Block b;
    b.Line = text;
    blocks_.push_back(b);
}

THtmlTable& THtmlDocument::AddTable(const QString& caption, const QStringList& header)
{
    Block b;
    b.IsTable = true;
    b.Table.Caption = caption;
    b.Table.Header = header;
    blocks_.push_back(b);
    return blocks_.back().Table;
}

QByteArray THtmlDocument::ToHtml() const
{
    QString out;
    out += QStringLiteral("<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\"/>\n"
                          "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"/>\n<title>")
           + esc(title_) + QStringLiteral("</title>\n<style>\n") + QLatin1String(kStyle)
           + QStringLiteral("</style>\n</head>\n<body>\n<h1>") + esc(title_) + QStringLiteral("</h1>\n");

    for (const Block& b : blocks_) {
        if (!b.IsTable) {
            out += QStringLiteral("<p class=\"zeile\">") + esc(b.Line) + QStringLiteral("</p>\n");
            continue;
        }
        const THtmlTable& t = b.Table;
        int spalten = int(t.Header.size());
        for (const QStringList& r : t.Rows)
            spalten = std::max(spalten, int(r.size()));
        const auto klasse = [&](int c) {
            return c < t.RightAligned.size() && t.RightAligned[c] ? QStringLiteral(" class=\"r\"") : QString();
        };
        out += QStringLiteral("<table>\n<caption>") + esc(t.Caption) + QStringLiteral("</caption>\n<thead>\n<tr>");
        for (int c = 0; c < spalten; ++c)
            out += QStringLiteral("<th scope=\"col\"") + klasse(c) + QLatin1Char('>') + esc(t.Header.value(c))
                   + QStringLiteral("</th>");
        out += QStringLiteral("</tr>\n</thead>\n<tbody>\n");
        for (const QStringList& r : t.Rows) {
            out += QStringLiteral("<tr>");
            for (int c = 0; c < spalten; ++c) {
                const bool kopf = c == 0 && t.RowHeader;
                out += (kopf ? QStringLiteral("<th scope=\"row\"") : QStringLiteral("<td")) + klasse(c) + QLatin1Char('>')
                       + esc(r.value(c)) + (kopf ? QStringLiteral("</th>") : QStringLiteral("</td>"));
            }
            out += QStringLiteral("</tr>\n");
        }
        out += QStringLiteral("</tbody>\n</table>\n");
    }
    out += QStringLiteral("</body>\n</html>\n");
    return out.toUtf8();
}

bool THtmlDocument::Save(const QString& file, QString* error) const { return WriteFileAtomic(file, ToHtml(), error); }

} // namespace Report
