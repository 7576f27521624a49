#include "platform/vcl/FontChoice.h"

#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>

namespace Vcl {

namespace {

struct SharedName {
    const char* windows;
    const char* liberation;
};

// The Liberation fonts have the metrics of these Windows fonts, so texts
// set in either break and fit the same way.
constexpr SharedName sharedNames[] = {
    {"Arial", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
};

bool listed(const QString& family)
{
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

} // namespace

QString FontDialogFamily(const QString& stored)
{
    if (stored.isEmpty() || listed(stored))
        return stored;
    for (const SharedName& n : sharedNames)
        if (stored.compare(QLatin1String(n.windows), Qt::CaseInsensitive) == 0 && listed(n.liberation))
            return QString::fromLatin1(n.liberation);
    // Another alias: the family fontconfig puts in its place.
    return QFontInfo(QFont(stored)).family();
}

QString SharedFontFamily(const QString& chosen)
{
    for (const SharedName& n : sharedNames)
        if (chosen.compare(QLatin1String(n.liberation), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(n.windows);
    return chosen;
}

bool ChooseFontFamily(QFontDialog& dialog, const QString& stored,
                      const std::function<void(const QString& family)>& chosen)
{
    // The family in its regular style at the usual size: only the family is
    // stored, so that is all the dialog shows chosen.
    const QString family = FontDialogFamily(stored);
    dialog.setCurrentFont(family.isEmpty() ? QFont() : QFont(family));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    // Confirming the family offered keeps the stored name, whatever
    // fontconfig put in its place.
    const QString selected = dialog.selectedFont().family();
    if (chosen)
        chosen(!stored.isEmpty() && selected.compare(family, Qt::CaseInsensitive) == 0 ? stored
                                                                                      : SharedFontFamily(selected));
    return true;
}

} // namespace Vcl
