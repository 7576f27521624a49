#pragma once
// The host's print menu and its message distribution.

#include <QPixmap>
#include <QString>
#include <functional>
#include <vector>

namespace Sectionlist {

struct TPrintJob;
using TPrintJobClick = std::function<bool(TPrintJob&)>;

// One entry of the host's print menu.
struct TPrintJob {
    int Id = 0;
    QString Caption;
    QPixmap Glyph;
    TPrintJobClick OnClick;
};

class TPrintJobs {
public:
    TPrintJob& AddJob(int Id, const QString& Caption, TPrintJobClick OnClick);
    int Count() const { return int(jobs_.size()); }
    TPrintJob& Item(int i) { return jobs_.at(size_t(i)); }
    const std::vector<TPrintJob>& Items() const { return jobs_; }
    // Runs the handler of the entry at position i; false when it has none.
    bool Click(int i);
    void Clear() { jobs_.clear(); }
private:
    std::vector<TPrintJob> jobs_;
};

// Message receivers. Every message the host distributes is offered to every
// registered receiver in registration order.
using TReceiver = std::function<bool(const QString&)>;
void RegisterReceiver(TReceiver receiver);
// Offers Msg to every receiver; true when any of them returned true.
bool DistributeMessage(const QString& Msg);
// Forgets all receivers (the host discards them with the module).
void ClearReceivers();
int ReceiverCount();

} // namespace Sectionlist
