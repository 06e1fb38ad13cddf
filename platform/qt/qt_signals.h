// Ending the program from outside: SIGINT and SIGTERM close the main window as the exit
// command does, so the program ends through its normal shut-down, with status 0.
#pragma once

// Installs the handlers. Call once, after the QApplication exists.
void AfxQtCloseOnSignals();
