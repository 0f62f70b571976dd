#pragma once
#include <QString>
#include <QStringList>

#include <functional>

class ReportRun;

// Sends a run out as one PDF file per cell (one receipt per file) into a folder. The page holds
// the cell as the layout draws it, with a narrow margin: it prints on A4 and reads on a phone.
// All or nothing: the files are written into a hidden folder inside the target and renamed into
// place only once every one is complete; on any failure no file of the run is left, and the run
// is told, as for a single file. No existing file is ever written over.
namespace CellPdfs {
// `nameOf` gives each cell's file name; a name already taken gets "_2", "_3"….
// `written` receives the paths of the files, in cell order.
bool write(ReportRun& run, const QString& folder, const std::function<QString(int cell)>& nameOf,
           QStringList* written = nullptr, QString* error = nullptr, QString* notice = nullptr);
} // namespace CellPdfs
