#pragma once
#include <memory>

class ReportPreview;
class ReportRun;
class QWidget;

namespace PreviewWindows {
// Opens a run in a new preview window (modeless; several may be open). The window owns the
// run and deletes itself when closed; given the main window as parent it stays in front of it
// and closes with it. What became of each output is shown to the user.
ReportPreview* open(std::shared_ptr<ReportRun> run, QWidget* parent = nullptr);
} // namespace PreviewWindows
