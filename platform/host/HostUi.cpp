#include "platform/host/HostUi.h"
#include "platform/host/TestHostUi.h"

namespace Host {

IHostUi::~IHostUi() = default;

namespace {

// Until a host installs its own: no windows, questions answered No,
// nothing shown. Keeps library code callable in isolation.
class SilentUi : public IHostUi {
public:
    int messageDlg(const QString&, int, int buttons) override
    {
        return (buttons & mbNo) ? mrNo : mrOk;
    }
    void showError(const QString&) override {}
    QString chooseFolder(const QString&, const QString&) override { return {}; }
    QString chooseSaveFile(const QString&, const QString&, const QString&, const QString&) override { return {}; }
    bool confirmOrganiser() override { return true; }
    void preview(const PrintRequest&) override {}
    void status(const QString&) override {}
    void progressStart(int min, int) override { pos = min; }
    void progressSet(int p) override { pos = p; }
    int progressPosition() const override { return pos; }
    void progressStop() override {}
    int pos = 0;
};

SilentUi silent;
IHostUi* current = &silent;

} // namespace

IHostUi& ui() { return *current; }
void setUi(IHostUi* impl) { current = impl ? impl : &silent; }

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
