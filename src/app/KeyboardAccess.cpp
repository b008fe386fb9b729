#include "app/KeyboardAccess.h"

#include <QAction>
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>

namespace decant {
namespace {

QWidgetList toolBarButtons(QToolBar& toolBar) {
    QWidgetList buttons;
    for (QAction* action : toolBar.actions()) {
        if (QWidget* button = toolBar.widgetForAction(action);
            button != nullptr && !action->isSeparator()) {
            button->setFocusPolicy(Qt::TabFocus);
            buttons.append(button);
        }
    }
    return buttons;
}

// The texts can be read, and copied, from the keyboard: a failure's reason
// is worth quoting in a report.
QWidgetList statusTexts(QStatusBar& statusBar) {
    QWidgetList texts;
    for (QLabel* label : statusBar.findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        label->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
        label->setFocusPolicy(Qt::TabFocus);
        texts.append(label);
    }
    return texts;
}

} // namespace

void makeKeyboardReachable(QToolBar& toolBar, QWidget& table, QStatusBar& statusBar) {
    QWidgetList chain = toolBarButtons(toolBar);
    table.setFocusPolicy(Qt::StrongFocus);
    chain.append(&table);
    // The queue, not the first toolbar button, has the focus at the start.
    table.setFocus();
    chain.append(statusTexts(statusBar));
    for (qsizetype index = 1; index < chain.size(); ++index) {
        QWidget::setTabOrder(chain[index - 1], chain[index]);
    }
}

} // namespace decant
