// The caption timing commands of the main window: Set Time, ENTER, Goto and Edit
// Start Time, Delete and Add Caption, Clear All Times and Sort By Time.

#include "app/main_window.h"

namespace zav {

void MainWindow::stampNextCaption() {}

LRESULT MainWindow::onEditStartTime(WPARAM, LPARAM) { return 0; }
LRESULT MainWindow::onGotoStartTime(WPARAM, LPARAM) { return 0; }
LRESULT MainWindow::onDeleteCaption(WPARAM, LPARAM) { return 0; }
LRESULT MainWindow::onSetTime(WPARAM, LPARAM) { return 0; }
LRESULT MainWindow::onSortByTime(WPARAM, LPARAM) { return 0; }
LRESULT MainWindow::onClearAllTimes(WPARAM, LPARAM) { return 0; }
LRESULT MainWindow::onAddCaption(WPARAM, LPARAM) { return 0; }

}  // namespace zav
