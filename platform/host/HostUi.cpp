#include "platform/host/HostUi.h"

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
    void showError(const QString&, const QString&) override {}
    QString chooseFolder(const QString&, const QString&) override { return {}; }
    QString chooseSaveFile(const QString&, const QString&, const QString&, const QString&) override { return {}; }
    QString chooseOpenFile(const QString&, const QString&) override { return {}; }
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

} // namespace Host
