#pragma once

#include "Settings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;

// Preferences: the settings that exist, one group each, written to the
// settings file when accepted. OK is refused while a value is unusable.
class SettingsDialog : public QDialog {
    Q_OBJECT

public:
    SettingsDialog(const Settings& current, QWidget* parent = nullptr);

    // The settings as accepted; the ones passed in until then.
    const Settings& settings() const { return chosen; }

    QComboBox* tilesBox() const { return tiles; }
    QLineEdit* customUrlEdit() const { return customUrl; }
    QLineEdit* customAttributionEdit() const { return customAttribution; }
    QDoubleSpinBox* eventThresholdBox() const { return eventThreshold; }
    QLabel* problemLabel() const { return problem; }
    QComboBox* unitsBox() const { return units; }
    QCheckBox* speedColoursBox() const { return speedColours; }

    void accept() override;

private:
    void showCustomFields();

    Settings chosen;
    QComboBox* tiles = nullptr;
    QLineEdit* customUrl = nullptr;
    QLineEdit* customAttribution = nullptr;
    QDoubleSpinBox* eventThreshold = nullptr;
    QCheckBox* speedColours = nullptr;
    QComboBox* units = nullptr;
    QLabel* problem = nullptr;
};
