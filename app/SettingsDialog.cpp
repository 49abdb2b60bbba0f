#include "SettingsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

const QString kCustom = QStringLiteral("custom");

QString TileSourceName(const QString& id) {
    if (id == QLatin1String("openstreetmap")) return SettingsDialog::tr("OpenStreetMap");
    if (id == QLatin1String("opentopomap")) return SettingsDialog::tr("OpenTopoMap");
    if (id == QLatin1String("cyclosm")) return SettingsDialog::tr("CyclOSM");
    if (id == QLatin1String("humanitarian")) return SettingsDialog::tr("Humanitarian (OpenStreetMap France)");
    return id;
}

}  // namespace

SettingsDialog::SettingsDialog(const Settings& current, QWidget* parent) : QDialog(parent), chosen(current) {
    setWindowTitle(tr("Preferences"));

    tiles = new QComboBox;
    for (const TileSource& source : BuiltInTileSources()) tiles->addItem(TileSourceName(source.id), source.id);
    tiles->addItem(tr("Custom tile service"), kCustom);
    tiles->setCurrentIndex(tiles->findData(current.mapTiles().id));
    customUrl = new QLineEdit(current.customTilesUrl());
    customUrl->setPlaceholderText(QStringLiteral("https://tiles.example.org/{z}/{x}/{y}.png"));
    customUrl->setToolTip(tr("An http or https address with {z}, {x} and {y}, and {s} for a, b or c"));
    customAttribution = new QLineEdit(current.customTilesAttribution());
    customAttribution->setToolTip(tr("The credit the service asks for, as plain text"));

    auto* map = new QGroupBox(tr("Map"));
    auto* mapForm = new QFormLayout(map);
    mapForm->addRow(tr("&Tiles:"), tiles);
    mapForm->addRow(tr("&Address:"), customUrl);
    mapForm->addRow(tr("&Credit:"), customAttribution);
    auto* note = new QLabel(tr("The map shows the new tiles from the next start. The China map always shows its own."));
    note->setWordWrap(true);
    mapForm->addRow(note);
    speedColours = new QCheckBox(tr("Colour the track by &speed"));
    speedColours->setChecked(current.speedColouredTrack());
    speedColours->setToolTip(tr("Green at the drive's slowest, through yellow, to red at its fastest"));
    mapForm->addRow(speedColours);

    units = new QComboBox;
    units->addItem(tr("Metric (km/h, m, km)"), static_cast<int>(UnitSystem::Metric));
    units->addItem(tr("Imperial (mph, ft, mi)"), static_cast<int>(UnitSystem::Imperial));
    units->setCurrentIndex(units->findData(static_cast<int>(current.units())));
    auto* display = new QGroupBox(tr("Display"));
    auto* displayForm = new QFormLayout(display);
    displayForm->addRow(tr("&Units:"), units);

    eventThreshold = new QDoubleSpinBox;
    eventThreshold->setRange(Settings::kMinEventThreshold, Settings::kMaxEventThreshold);
    eventThreshold->setSingleStep(0.1);
    eventThreshold->setDecimals(2);
    eventThreshold->setSuffix(tr(" g"));
    eventThreshold->setValue(current.eventThreshold());
    auto* events = new QGroupBox(tr("Events"));
    auto* eventsForm = new QFormLayout(events);
    eventsForm->addRow(tr("Mark &jolts above:"), eventThreshold);
    auto* eventsNote = new QLabel(tr("G-sensor readings this far from the car at rest are marked on the seek bar. "
                                     "Hard braking is about 0.5 g; lower values mark bumps too."));
    eventsNote->setWordWrap(true);
    eventsForm->addRow(eventsNote);

    problem = new QLabel;
    problem->setWordWrap(true);
    problem->hide();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &SettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SettingsDialog::reject);

    // Later settings get a group of their own above the buttons.
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(map);
    layout->addWidget(events);
    layout->addWidget(display);
    layout->addWidget(problem);
    layout->addStretch();
    layout->addWidget(buttons);

    connect(tiles, &QComboBox::currentIndexChanged, this, &SettingsDialog::showCustomFields);
    showCustomFields();
}

void SettingsDialog::showCustomFields() {
    const bool custom = tiles->currentData() == kCustom;
    customUrl->setEnabled(custom);
    customAttribution->setEnabled(custom);
}

void SettingsDialog::accept() {
    Settings edited = chosen;
    if (!edited.setMapTiles(tiles->currentData().toString(), customUrl->text(), customAttribution->text())) {
        problem->setText(tr("The tile address must start with http:// or https:// and hold {z}, {x} and {y}."));
        problem->show();
        customUrl->setFocus();
        return;
    }
    edited.setEventThreshold(eventThreshold->value());
    edited.setUnits(static_cast<UnitSystem>(units->currentData().toInt()));
    edited.setSpeedColouredTrack(speedColours->isChecked());
    if (!edited.save()) {
        problem->setText(tr("The settings cannot be saved to %1.").arg(Settings::path()));
        problem->show();
        return;
    }
    chosen = edited;
    QDialog::accept();
}
