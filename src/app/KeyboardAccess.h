#pragma once

class QStatusBar;
class QToolBar;
class QWidget;

namespace decant {

// Lets Tab and Shift+Tab reach the toolbar, the table and the status bar's
// texts, in that order. Toolbars leave their buttons out of the focus chain
// (they expect the mouse), and a table keeps Tab for moving between its
// cells, so neither would ever give the focus away. Main thread.
void makeKeyboardReachable(QToolBar& toolBar, QWidget& table, QStatusBar& statusBar);

} // namespace decant
