#include "platform/host/Sectionlist.h"

namespace Sectionlist {

TPrintJob& TPrintJobs::AddJob(int Id, const QString& Caption, TPrintJobClick OnClick)
{
    jobs_.push_back(TPrintJob{Id, Caption, QPixmap(), std::move(OnClick)});
    return jobs_.back();
}

bool TPrintJobs::Click(int i)
{
    TPrintJob& job = jobs_.at(size_t(i));
    return job.OnClick ? job.OnClick(job) : false;
}

namespace {
std::vector<TReceiver>& receivers()
{
    static std::vector<TReceiver> r;
    return r;
}
} // namespace

void RegisterReceiver(TReceiver receiver) { receivers().push_back(std::move(receiver)); }

bool DistributeMessage(const QString& Msg)
{
    // A receiver may register or open windows while handling; iterate a copy.
    const auto current = receivers();
    bool handled = false;
    for (const auto& r : current)
        handled = r(Msg) || handled;
    return handled;
}

void ClearReceivers() { receivers().clear(); }
int ReceiverCount() { return int(receivers().size()); }

} // namespace Sectionlist
