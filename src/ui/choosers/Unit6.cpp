#include "ui/choosers/Unit6.h"

#include "platform/Cp1250.h"
#include "platform/PeIcons.h"
#include "ui/MessageBoxes.h"
#include "ui/controls/ChooserFileList.h"
#include "ui/controls/XIconBox.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>

namespace tornavel::ui {

TForm6::TForm6(const QString& sourceFolder, FieldBoxes fields, QWidget* parent)
    : QDialog(parent), fields_(std::move(fields)) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Výběr ikony"));
    setSizeGripEnabled(true);
    resize(336, 235); // 344 x 262 with the window's frame and caption

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    bold.setPointSize(10);
    Label1->setFont(bold);
    Label1->move(8, 6);

    IconBox = new TChooserFileList(this);
    IconBox->setObjectName(QStringLiteral("IconBox"));
    IconBox->setGeometry(8, 24, 233, 161);
    IconBox->setMask(QStringLiteral("*.exe;*.ico;*.dll;*.icl"));

    IconList = new TXIconListBox(this);
    IconList->setObjectName(QStringLiteral("IconList"));
    IconList->move(248, 8);
    IconList->setXIcons(2);
    IconList->setYIcons(5);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(32, 192, 75, 25);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Storno"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(144, 192, 75, 25);

    // A click or an arrow key that selects a file shows its icons.
    connect(IconBox, &QListWidget::itemSelectionChanged, this,
            [this] { runGuarded(this, [this] { IconBoxClick(); }); });
    connect(Button1, &QPushButton::clicked, this,
            [this] { runGuarded(this, [this] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, &TForm6::Button2Click);
    // Double-clicking an icon chooses it, as double-clicking a file does in
    // the run-file chooser.
    connect(IconList, &QListWidget::itemDoubleClicked, this,
            [this] { runGuarded(this, [this] { Button1Click(); }); });

    setSourceFolder(sourceFolder);
}

void TForm6::setSourceFolder(const QString& sourceFolder) {
    IconBox->setFolder(sourceFolder);
    Label1->setText(sourceFolder);
    Label1->adjustSize();
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
    IconBox->reread();
    IconList->clear();
    QDialog::showEvent(event);
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
    const QString name = IconBox->selectedName();
    const auto cells = IconList->selectedItems();
    if (cells.isEmpty() || name.isEmpty()) {
        MessageBoxes::plain(this, QStringLiteral("Nevybrali jste žádnou ikonu."));
        return;
    }
    // A name the project file could not hold is refused here, before it
    // reaches a field, rather than when the project is saved.
    requireCp1250Encodable(name.toStdString());
    if (const auto fields = fieldsFor(purposeCode_); fields && fields_) {
        if (QLineEdit* fileBox = fields_(fields->first)) {
            fileBox->setText(name);
        }
        if (QLineEdit* indexBox = fields_(fields->second)) {
            indexBox->setText(QString::number(IconList->row(cells.constFirst())));
        }
    }
    accept();
}

void TForm6::Button2Click() {
    reject();
}

} // namespace tornavel::ui
