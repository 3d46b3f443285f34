#include "ui/choosers/Vyber.h"

#include "platform/Cp1250.h"
#include "ui/MessageBoxes.h"
#include "ui/controls/ChooserFileList.h"

#include <QLabel>
#include <QPushButton>

namespace tornavel::ui {

TForm5::TForm5(const QString& sourceFolder, FieldBoxes fields, QWidget* parent)
    : QDialog(parent), fields_(std::move(fields)) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Výběr spouštěného souboru"));
    setFixedSize(250, 251);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    bold.setPointSize(10);
    Label1->setFont(bold);
    Label1->move(8, 6);

    OpenFile = new TChooserFileList(this);
    OpenFile->setObjectName(QStringLiteral("OpenFile"));
    OpenFile->setGeometry(8, 24, 233, 185);
    OpenFile->setMask(QStringLiteral("*.exe;*.bat;*.com"));

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(32, 216, 75, 25);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Storno"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(144, 216, 75, 25);

    connect(Button1, &QPushButton::clicked, this,
            [this] { runGuarded(this, [this] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, &TForm5::Button2Click);
    connect(OpenFile, &QListWidget::itemDoubleClicked, this,
            [this] { runGuarded(this, [this] { Button1Click(); }); });

    setSourceFolder(sourceFolder);
}

void TForm5::setMask(const QString& mask) {
    OpenFile->setMask(mask);
}

QString TForm5::mask() const {
    return OpenFile->mask();
}

void TForm5::setSourceFolder(const QString& sourceFolder) {
    OpenFile->setFolder(sourceFolder);
    Label1->setText(sourceFolder);
    Label1->adjustSize();
}

std::optional<FieldId> TForm5::fieldFor(int purposeCode) {
    switch (purposeCode) {
    case 1:
        return FieldId::LicenceFile;
    case 2:
        return FieldId::InfoBeforeFile;
    case 3:
        return FieldId::InfoAfterFile;
    case 11:
    case 21:
    case 31:
    case 41:
    case 51:
        return iconField(purposeCode / 10 - 1, IconPart::FileName);
    default:
        return std::nullopt;
    }
}

void TForm5::showEvent(QShowEvent* event) {
    // Files added since the last showing appear; the old selection goes.
    OpenFile->reread();
    QDialog::showEvent(event);
}

void TForm5::Button1Click() {
    const QString name = OpenFile->selectedName();
    if (name.isEmpty()) {
        reject();
        return;
    }
    // A name the project file could not hold is refused here, before it
    // reaches a field, rather than when the project is saved.
    requireCp1250Encodable(name.toStdString());
    if (const auto field = fieldFor(purposeCode_)) {
        if (QLineEdit* box = fields_ ? fields_(*field) : nullptr) {
            box->setText(name);
        }
    }
    accept();
}

void TForm5::Button2Click() {
    reject();
}

} // namespace tornavel::ui
