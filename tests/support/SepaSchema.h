#pragma once
// Validates a SEPA direct-debit file against the published ISO 20022
// schema pain.008.001.02 (tests/platform/host/data) with libxml2.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <libxml/parser.h>
#include <libxml/xmlschemas.h>

namespace SepaSchema {

inline QString Pfad() { return QStringLiteral(REPORTS1_SOURCE_DIR "/tests/platform/host/data/pain.008.001.02.xsd"); }

// The schema's complaints about xml, one a line; empty when it is valid.
inline QString Pruefen(const QByteArray& xml)
{
    QStringList fehler;
    xmlSchemaParserCtxtPtr pc = xmlSchemaNewParserCtxt(Pfad().toLocal8Bit().constData());
    xmlSchemaPtr schema = pc ? xmlSchemaParse(pc) : nullptr;
    if (!schema) {
        if (pc)
            xmlSchemaFreeParserCtxt(pc);
        return "Das Schema " + Pfad() + " ist nicht lesbar";
    }
    xmlDocPtr doc = xmlReadMemory(xml.constData(), int(xml.size()), "sepa.xml", nullptr, XML_PARSE_NONET);
    if (!doc) {
        fehler << "Die Datei ist kein XML";
    } else {
        xmlSchemaValidCtxtPtr vc = xmlSchemaNewValidCtxt(schema);
        xmlStructuredErrorFunc sammeln = [](void* ctx, xmlErrorPtr e) {
            static_cast<QStringList*>(ctx)->append(
                QString("Zeile %1: %2").arg(e->line).arg(QString::fromUtf8(e->message).trimmed()));
        };
        xmlSchemaSetValidStructuredErrors(vc, sammeln, &fehler);
        if (xmlSchemaValidateDoc(vc, doc) != 0 && fehler.isEmpty())
            fehler << "ungültig";
        xmlSchemaFreeValidCtxt(vc);
        xmlFreeDoc(doc);
    }
    xmlSchemaFree(schema);
    xmlSchemaFreeParserCtxt(pc);
    return fehler.join('\n');
}

} // namespace SepaSchema
