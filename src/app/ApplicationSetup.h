#pragma once

class QApplication;

// Japanese standard-dialog texts and the program's font, for the program and its tests alike.
namespace ApplicationSetup {
void apply(QApplication& app);
} // namespace ApplicationSetup
