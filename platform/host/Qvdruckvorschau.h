#pragma once
// The host's print preview.

#include <QString>

namespace Qvdruckvorschau {

// Hands the report stream File to the preview and returns the print-job id
// under which the host later reports "DRUCK FERTIG,<id>". Interval > 0 shows
// the document as a continuous display that turns a page every Interval s.
int DruckStart(const QString& File, const QString& Modul, const QString& Titel,
               bool Vorschau = true, bool Direkt = false, int Interval = 0);

// The print record of a job unit: DruckjobID is cleared when the host
// reports that the print JobId is finished.
inline void Druckfertig(int& DruckjobID, int JobId)
{
    if (JobId == DruckjobID)
        DruckjobID = 0;
}

// Turns the running continuous display to the next page, or back to page 1.
void NaechsteSeite(int JobId);

} // namespace Qvdruckvorschau
