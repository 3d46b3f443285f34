#include "ui/choosers/Unit6.h"

#include "platform/PeIcons.h"
#include "ui/MessageBoxes.h"
#include "ui/controls/ChooserFileList.h"
#include "ui/controls/XIconBox.h"

#include <QDir>
#include <QFile>
#include <QPushButton>

namespace tornavel::ui {

TForm6::TForm6(const QString& sourceFolder, FieldBoxes fields, QWidget* parent)
    : ChooserDialog(sourceFolder, std::move(fields), QStringLiteral("IconBox"), 161, parent),
      IconBox(fileList_) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Výběr ikony"));
    setSizeGripEnabled(true);
    resize(336, 235); // 344 x 262 with the window's frame and caption
    IconBox->setMask(QStringLiteral("*.exe;*.ico;*.dll;*.icl"));

    IconList = new TXIconListBox(this);
    IconList->setObjectName(QStringLiteral("IconList"));
    IconList->move(248, 8);
    IconList->setXIcons(2);
    IconList->setYIcons(5);
    // The grid stands between the file list and the buttons in the tab order too.
    setTabOrder(IconBox, IconList);
    setTabOrder(IconList, Button1);

    // A click or an arrow key that selects a file shows its icons.
    connect(IconBox, &QListWidget::itemSelectionChanged, this,
            [this] { runGuarded(this, [this] { IconBoxClick(); }); });
    // Double-clicking an icon chooses it, as double-clicking a file does in
    // the run-file chooser.
    connect(IconList, &QListWidget::itemDoubleClicked, this,
            [this] { runGuarded(this, [this] { Button1Click(); }); });
}

std::optional<std::pair<FieldId, FieldId>> TForm6::fieldsFor(int purposeCode) {
    switch (purposeCode) {
    case 12:
    case 22:
    case 32:
    case 42:
    case 52: {
        const int icon = purposeCode / 10 - 1;
        return std::make_pair(iconField(icon, IconPart::IconFile),
                              iconField(icon, IconPart::IconIndex));
    }
    default:
        return std::nullopt;
    }
}

void TForm6::showEvent(QShowEvent* event) {
    // The re-read list has no selection, so icons left in the grid would
    // belong to no selected file: the grid starts empty too.
    IconList->clear();
    ChooserDialog::showEvent(event);
}

void TForm6::IconBoxClick() {
    const QString name = IconBox->selectedName();
    if (name.isEmpty()) {
        return;
    }
    IconList->clear();
    const QString path = QDir(IconBox->folder()).filePath(name);
    const IconSource source = LoadIconSource(QFile::encodeName(path).toStdString());
    for (int i = 0; i < source.count(); ++i) {
        IconList->InsertIcon(source, i, i);
    }
}

void TForm6::Button1Click() {
    const auto cells = IconList->selectedItems();
    if (cells.isEmpty() || IconBox->selectedName().isEmpty()) {
        MessageBoxes::plain(this, QStringLiteral("Nevybrali jste žádnou ikonu."));
        return;
    }
    const QString name = chosenFileName();
    if (const auto fields = fieldsFor(PurposeCode())) {
        writeField(fields->first, name);
        writeField(fields->second, QString::number(IconList->row(cells.constFirst())));
    }
    accept();
}

} // namespace tornavel::ui
