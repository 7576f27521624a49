#include "Preview.h"

#include <QMessageBox>

// Replaced by the report preview window once the report library is in.
void OpenPreview(const Host::PrintRequest& request, QWidget* mainWindow)
{
    QMessageBox::information(mainWindow, request.title, request.file);
}

void PreviewNextPage(int) {}
