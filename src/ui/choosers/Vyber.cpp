#include "ui/choosers/Vyber.h"

#include "ui/MessageBoxes.h"
#include "ui/controls/ChooserFileList.h"

namespace tornavel::ui {

TForm5::TForm5(const QString& sourceFolder, FieldBoxes fields, QWidget* parent)
    : ChooserDialog(sourceFolder, std::move(fields), QStringLiteral("OpenFile"), 185, parent),
      OpenFile(fileList_) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Výběr spouštěného souboru"));
    setFixedSize(250, 251);
    OpenFile->setMask(QStringLiteral("*.exe;*.bat;*.com"));
    connect(OpenFile, &QListWidget::itemDoubleClicked, this,
            [this] { runGuarded(this, [this] { Button1Click(); }); });
}

void TForm5::setMask(const QString& mask) {
    OpenFile->setMask(mask);
}

QString TForm5::mask() const {
    return OpenFile->mask();
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

void TForm5::Button1Click() {
    const QString name = chosenFileName();
    if (name.isEmpty()) {
        reject();
        return;
    }
    if (const auto field = fieldFor(PurposeCode())) {
        writeField(*field, name);
    }
    accept();
}

} // namespace tornavel::ui
