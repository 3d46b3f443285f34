#include "ui/choosers/IconChooser.h"

#include "platform/PeIcons.h"
#include "ui/MessageBoxes.h"
#include "ui/controls/ChooserFileList.h"
#include "ui/controls/IconGrid.h"

#include <QDir>
#include <QFile>
#include <QPushButton>

namespace tornavel::ui {

IconChooser::IconChooser(QWidget* parent)
    : ChooserDialog(QStringLiteral("IconBox"), 161, parent), grid_(new IconGrid(this)) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Výběr ikony"));
    setSizeGripEnabled(true);
    resize(336, 235); // 344 x 262 with the window's frame and caption
    fileList()->setMask(QStringLiteral("*.exe;*.ico;*.dll;*.icl"));

    grid_->setObjectName(QStringLiteral("IconList"));
    grid_->move(248, 8);
    grid_->setCellsAcross(2);
    grid_->setCellsDown(5);
    // The grid stands between the file list and the buttons in the tab order too.
    setTabOrder(fileList(), grid_);
    setTabOrder(grid_, okButton());

    // A click or an arrow key that selects a file shows its icons.
    connect(fileList(), &QListWidget::itemSelectionChanged, this,
            [this] { runGuarded(this, [this] { showIconsOfSelectedFile(); }); });
    // Double-clicking an icon chooses it, as double-clicking a file does in
    // the run-file chooser.
    connect(grid_, &QListWidget::itemDoubleClicked, this,
            [this] { runGuarded(this, [this] { confirm(); }); });
}

void IconChooser::showEvent(QShowEvent* event) {
    // The re-read list has no selection, so icons left in the grid would
    // belong to no selected file: the grid starts empty too.
    grid_->clear();
    ChooserDialog::showEvent(event);
}

void IconChooser::showIconsOfSelectedFile() {
    const QString name = fileList()->selectedName();
    if (name.isEmpty()) {
        return;
    }
    grid_->clear();
    const QString path = QDir(fileList()->folder()).filePath(name);
    const IconSource source = LoadIconSource(QFile::encodeName(path).toStdString());
    for (int i = 0; i < source.count(); ++i) {
        grid_->insertIcon(source, i, i);
    }
}

void IconChooser::confirm() {
    const auto cells = grid_->selectedItems();
    if (cells.isEmpty() || fileList()->selectedName().isEmpty()) {
        MessageBoxes::plain(this, QStringLiteral("Nevybrali jste žádnou ikonu."));
        return;
    }
    chosen_ = {selectedFileName(), grid_->row(cells.constFirst())};
    accept();
}

} // namespace tornavel::ui
