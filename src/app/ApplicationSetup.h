#pragma once

class QApplication;
class QGuiApplication;

// Japanese standard-dialog texts and the program's font, for the program and its tests alike.
namespace ApplicationSetup {
// Names, translations and the font, without a widget: for the command line.
void apply(QGuiApplication& app);
// The same for the window, whose file dialogs also get their columns widened.
void apply(QApplication& app);
} // namespace ApplicationSetup
