#include "platform/host/Qvsprache.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace Qvsprache {

bool DeutschEinrichten()
{
    const QLocale deutsch(QLocale::German, QLocale::Germany);
    QLocale::setDefault(deutsch);
    // One translator, owned by the application and installed once.
    static QPointer<QTranslator> qt;
    if (qt)
        return true;
    auto* t = new QTranslator(QCoreApplication::instance());
    if (!t->load(deutsch, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete t;
        return false;
    }
    QCoreApplication::installTranslator(t);
    qt = t;
    return true;
}

} // namespace Qvsprache
