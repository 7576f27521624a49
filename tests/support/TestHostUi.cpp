#include "tests/support/TestHostUi.h"

namespace Host {

int TestHostUi::messageDlg(const QString& text, int type, int buttons)
{
    messages << Message{text, type, buttons};
    if (!(buttons & (mbYes | mbNo)))
        return mrOk;
    if (answers.empty())
        return mrYes;
    int a = answers.front();
    answers.pop_front();
    return a;
}

QString TestHostUi::chooseFolder(const QString& title, const QString&)
{
    folderPrompts << title;
    if (folders.empty())
        return {};
    QString f = folders.front();
    folders.pop_front();
    return f;
}

QString TestHostUi::chooseSaveFile(const QString& title, const QString&, const QString&, const QString&)
{
    folderPrompts << title;
    if (files.empty())
        return {};
    QString f = files.front();
    files.pop_front();
    return f;
}

QString TestHostUi::chooseOpenFile(const QString& title, const QString& filter)
{
    folderPrompts << title;
    fileFilters << filter;
    if (files.empty())
        return {};
    QString f = files.front();
    files.pop_front();
    return f;
}

QStringList TestHostUi::messageTexts() const
{
    QStringList out;
    for (const auto& m : messages)
        out << m.text;
    return out;
}

TestUiGuard::TestUiGuard() { setUi(&ui_); }
TestUiGuard::~TestUiGuard() { setUi(nullptr); }

} // namespace Host
