// The host's zip archives of the files made per club (libzip).

#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <zip.h>

namespace Datamod {

namespace {

QString zipFehler(zip_t* za) { return QString::fromUtf8(zip_strerror(za)); }

// The files of an entry with their names in the archive: a file by its
// name, a folder's files below the folder's name, in name order.
QList<QPair<QString, QString>> dateienVon(const QFileInfo& entry)
{
    QList<QPair<QString, QString>> files;
    if (entry.isFile()) {
        files << qMakePair(entry.absoluteFilePath(), entry.fileName());
        return files;
    }
    const QDir base = entry.absoluteDir();
    QDirIterator it(entry.absoluteFilePath(), QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files << qMakePair(path, base.relativeFilePath(path));
    }
    std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
    return files;
}

} // namespace

QStringList TDataModule1::ZipFileErstellen(const TObjectStringList& Liste, const QHash<QString, QString>& Passwoerter)
{
    QStringList written;
    for (int i = 0; i < Liste.Count(); ++i) {
        const QFileInfo entry(Liste.Strings(i));
        const QString verein = Liste.Objects(i) ? Liste.Objects(i)->Disziplin : entry.fileName();
        const auto files = dateienVon(entry);
        if (files.isEmpty())
            continue;
        const QString archive = entry.absoluteFilePath() + ".zip";
        const QString password = Passwoerter.value(verein);

        // libzip writes the archive to a temporary file beside it when it is
        // closed and renames it over the archive only when it is complete.
        int err = 0;
        zip_t* za = zip_open(QFile::encodeName(archive).constData(), ZIP_CREATE | ZIP_TRUNCATE, &err);
        if (!za) {
            zip_error_t e;
            zip_error_init_with_code(&e, err);
            const QString text = QString::fromUtf8(zip_error_strerror(&e));
            zip_error_fini(&e);
            throw EHostFehler("Die Datei " + archive + " kann nicht angelegt werden: " + text);
        }
        auto fail = [&](const QString& what) {
            const QString text = zipFehler(za);
            zip_discard(za);
            throw EHostFehler("Die Datei " + archive + " wurde nicht erstellt (" + what + "): " + text);
        };
        for (const auto& [path, name] : files) {
            zip_source_t* src = zip_source_file(za, QFile::encodeName(path).constData(), 0, -1);
            if (!src)
                fail(path);
            const zip_int64_t idx = zip_file_add(za, name.toUtf8().constData(), src, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
            if (idx < 0) {
                zip_source_free(src);
                fail(path);
            }
            if (!password.isEmpty()
                && zip_file_set_encryption(za, zip_uint64_t(idx), ZIP_EM_AES_256, password.toUtf8().constData()) < 0)
                fail(path);
        }
        if (zip_close(za) < 0)
            fail("schließen");
        written << archive;
    }
    return written;
}

} // namespace Datamod
