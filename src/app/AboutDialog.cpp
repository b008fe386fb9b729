#include "app/AboutDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

namespace decant {
namespace {

QStringList aboutLines(const QString& libraryLocation) {
    QStringList lines{
        QStringLiteral("Decant %1").arg(QApplication::applicationVersion()),
        AboutDialog::tr("Brings your FLAC files into a music library with their tags."),
        AboutDialog::tr("Copyright © 2026 the Decant developers. Released under the MIT "
                        "License."),
        AboutDialog::tr("Built with Qt %1.").arg(QLatin1String(QT_VERSION_STR)),
    };
    if (!libraryLocation.isEmpty()) {
        lines.append(AboutDialog::tr("The library is in %1").arg(libraryLocation));
    }
    return lines;
}

} // namespace

AboutDialog::AboutDialog(const QString& libraryLocation, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("About Decant"));
    const QStringList lines = aboutLines(libraryLocation);
    text_ = lines.join(u'\n');

    QStringList paragraphs;
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const QString escaped = lines[index].toHtmlEscaped();
        paragraphs.append(index == 0 ? QStringLiteral("<h3>%1</h3>").arg(escaped)
                                     : QStringLiteral("<p>%1</p>").arg(escaped));
    }
    auto* label = new QLabel(paragraphs.join(QString()), this);
    label->setTextFormat(Qt::RichText);
    label->setWordWrap(true);
    // The library's folder can be copied from here.
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumWidth(label->fontMetrics().averageCharWidth() * 56);

    auto* icon = new QLabel(this);
    const int side = label->fontMetrics().height() * 4;
    icon->setPixmap(QApplication::windowIcon().pixmap(side, side));
    icon->setAlignment(Qt::AlignTop);

    auto* content = new QHBoxLayout;
    content->addWidget(icon);
    content->addWidget(label, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(content);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace decant
