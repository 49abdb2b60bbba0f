#include "ShortcutsDialog.h"

#include "PlayerShortcuts.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

ShortcutsDialog::ShortcutsDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Keyboard Shortcuts"));
    keys = new QTreeWidget;
    keys->setColumnCount(2);
    keys->setHeaderLabels({tr("Key"), tr("Action")});
    keys->setRootIsDecorated(false);
    keys->setSelectionMode(QAbstractItemView::NoSelection);
    keys->setFocusPolicy(Qt::NoFocus);
    for (const PlayerShortcut& shortcut : PlayerShortcuts()) {
        new QTreeWidgetItem(keys, {ShortcutKeysText(shortcut), ShortcutDescription(shortcut)});
    }
    keys->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    keys->header()->setStretchLastSection(true);
    // Every line shows without scrolling.
    keys->setMinimumHeight(keys->header()->sizeHint().height() + 2 * keys->frameWidth() +
                           (keys->topLevelItemCount() + 1) * keys->sizeHintForRow(0));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(keys);
    layout->addWidget(buttons);
    resize(520, sizeHint().height());
}
