#include "app/PreferencesDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace decant {
namespace {

QString formatTitle(const ImportFormatChoice& format) {
    static const QHash<QString, const char*> titles{
        {QStringLiteral("aac"), QT_TRANSLATE_NOOP("decant::PreferencesDialog", "AAC")},
        {QStringLiteral("alac"), QT_TRANSLATE_NOOP("decant::PreferencesDialog", "Apple Lossless")},
        {QStringLiteral("mp3"), QT_TRANSLATE_NOOP("decant::PreferencesDialog", "MP3")},
        {QStringLiteral("opus"), QT_TRANSLATE_NOOP("decant::PreferencesDialog", "Opus")},
        {QStringLiteral("flac"), QT_TRANSLATE_NOOP("decant::PreferencesDialog", "FLAC")},
        {QStringLiteral("wav"), QT_TRANSLATE_NOOP("decant::PreferencesDialog", "WAV")},
    };
    const char* title = titles.value(format.name);
    const QString name = title ? PreferencesDialog::tr(title) : format.name;
    return PreferencesDialog::tr("%1 (.%2)").arg(name, format.extension);
}

} // namespace

PreferencesDialog::PreferencesDialog(LibrarySettings settings, bool runUnderWay, QWidget* parent)
    : QDialog(parent)
    , settings_(std::move(settings))
    , formats_(LibrarySettings::formats()) {
    setWindowTitle(tr("Preferences"));
    buildControls();
    const ImportPreferencesReading reading = settings_.read();
    showReading(reading);
    if (!reading.problem.isEmpty()) {
        note_->setText(tr("The library cannot be changed now: %1").arg(reading.problem));
        setEditable(false);
    } else if (runUnderWay) {
        note_->setText(tr("A run is under way: the settings can be changed when it has ended."));
        setEditable(false);
    } else if (!reading.exists) {
        note_->setText(tr("No import has made the library yet: its first import takes these "
                          "settings."));
    }
}

void PreferencesDialog::buildControls() {
    auto* location = new QLabel(QDir::toNativeSeparators(settings_.location()), this);
    location->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    location->setAccessibleName(tr("Library location"));
    format_ = new QComboBox(this);
    format_->setAccessibleName(tr("Format"));
    for (const ImportFormatChoice& format : std::as_const(formats_)) {
        format_->addItem(formatTitle(format), format.name);
    }
    bitRate_ = new QComboBox(this);
    bitRate_->setAccessibleName(tr("Bit rate"));
    soundCheck_ = new QCheckBox(tr("&Sound Check: measure each track's loudness"), this);
    soundCheck_->setAccessibleName(tr("Sound Check"));
    connect(format_, &QComboBox::currentIndexChanged, this,
            [this] { showBitRates(bitRate_->currentData().toInt()); });

    auto* form = new QFormLayout;
    form->addRow(tr("Library:"), location);
    form->addRow(tr("&Format:"), format_);
    form->addRow(tr("&Bit rate:"), bitRate_);
    form->addRow(QString(), soundCheck_);
    note_ = new QLabel(this);
    note_->setWordWrap(true);
    note_->setMinimumWidth(fontMetrics().averageCharWidth() * 56);
    auto* applies = new QLabel(tr("Changes apply from the next Start."), this);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    connect(buttons_, &QDialogButtonBox::accepted, this, &PreferencesDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(applies);
    layout->addWidget(note_);
    layout->addWidget(buttons_);
}

void PreferencesDialog::showReading(const ImportPreferencesReading& reading) {
    const int format = format_->findData(reading.preferences.format);
    {
        const QSignalBlocker quiet(format_);
        format_->setCurrentIndex(std::max(format, 0));
    }
    showBitRates(reading.preferences.bitRate);
    soundCheck_->setChecked(reading.preferences.soundCheck);
}

// Keeps `selected` when the encoder takes it (also a rate set outside the
// usual steps), else offers the encoder's own default.
void PreferencesDialog::showBitRates(int selected) {
    const ImportFormatChoice& format = formats_.value(format_->currentIndex());
    bitRate_->clear();
    if (format.bitRates.isEmpty()) {
        bitRate_->addItem(tr("Lossless"), 0);
        bitRate_->setEnabled(false);
        return;
    }
    QList<int> rates = format.bitRates;
    const bool usual = rates.contains(selected) || format.name == QLatin1String("mp3");
    if (!usual && selected >= rates.first() && selected <= rates.last()) {
        rates.append(selected);
        std::sort(rates.begin(), rates.end());
    }
    for (const int rate : std::as_const(rates)) {
        bitRate_->addItem(tr("%1 kbit/s").arg(rate), rate);
    }
    const int index = bitRate_->findData(selected);
    bitRate_->setCurrentIndex(index >= 0 ? index : bitRate_->findData(format.defaultBitRate));
    bitRate_->setEnabled(format_->isEnabled());
}

void PreferencesDialog::setEditable(bool editable) {
    format_->setEnabled(editable);
    bitRate_->setEnabled(editable && bitRate_->currentData().toInt() != 0);
    soundCheck_->setEnabled(editable);
    buttons_->button(QDialogButtonBox::Save)->setEnabled(editable);
}

ImportPreferences PreferencesDialog::chosen() const {
    return {format_->currentData().toString(), bitRate_->currentData().toInt(),
            soundCheck_->isChecked()};
}

QString PreferencesDialog::note() const {
    return note_->text();
}

void PreferencesDialog::accept() {
    const QString problem = settings_.save(chosen());
    if (!problem.isEmpty()) {
        note_->setText(tr("The settings could not be saved: %1").arg(problem));
        return;
    }
    QDialog::accept();
}

} // namespace decant
