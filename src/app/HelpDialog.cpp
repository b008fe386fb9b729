#include "app/HelpDialog.h"

#include <QDialogButtonBox>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace decant {
namespace {

QString helpHtml() {
    const QStringList paragraphs{
        HelpDialog::tr("Decant decodes FLAC files, checks each against the signature stored "
                       "inside it, and hands them to the music library with their tags."),
        HelpDialog::tr("Add files with Add Files… (Ctrl+O) or Add Folder… (Ctrl+Shift+O), or "
                       "drop them on the table. Start (Ctrl+Return) decodes the queue and adds "
                       "it to the library."),
        HelpDialog::tr("Stop (Ctrl+.) ends a run: the files not yet in the library wait for the "
                       "next Start. Delete takes the selected files out of the queue, F2 edits "
                       "a tag before the import, and Ctrl+Z undoes that edit."),
        HelpDialog::tr("Preferences (Ctrl+,) choose the format the library imports in; the "
                       "Library window (Ctrl+L) lists its tracks, finds them in the file "
                       "manager, and checks every file against its proof (Ctrl+Shift+C)."),
        HelpDialog::tr("Select a file to read in the status bar why it failed. Tab and "
                       "Shift+Tab move between the toolbar, the table and the status bar."),
        HelpDialog::tr(
            "Open Library Folder (Ctrl+Shift+L) shows where the library keeps its files. "
            "The manual pages decant(1), decant-cli(1) and decant-library(1) say "
            "more."),
    };
    QString html = QStringLiteral("<h3>%1</h3>").arg(HelpDialog::tr("Decant Help").toHtmlEscaped());
    for (const QString& paragraph : paragraphs) {
        html += QStringLiteral("<p>%1</p>").arg(paragraph.toHtmlEscaped());
    }
    return html;
}

} // namespace

HelpDialog::HelpDialog(QWidget* parent)
    : QDialog(parent)
    , html_(helpHtml()) {
    setWindowTitle(tr("Decant Help"));
    auto* browser = new QTextBrowser(this);
    browser->setObjectName(QStringLiteral("helpText"));
    browser->setHtml(html_);
    browser->setAccessibleName(tr("Help text"));
    const int character = browser->fontMetrics().averageCharWidth();
    browser->setMinimumSize(character * 60, browser->fontMetrics().height() * 16);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser);
    layout->addWidget(buttons);
}

QString HelpDialog::text() const {
    QTextDocument document;
    document.setHtml(html_);
    return document.toPlainText();
}

} // namespace decant
