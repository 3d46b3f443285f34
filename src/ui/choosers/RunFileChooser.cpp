#include "ui/choosers/RunFileChooser.h"

#include "ui/MessageBoxes.h"
#include "ui/controls/ChooserFileList.h"

namespace tornavel::ui {

RunFileChooser::RunFileChooser(FieldBoxes fields, QWidget* parent)
    : ChooserDialog(std::move(fields), QStringLiteral("OpenFile"), 185, parent) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Výběr spouštěného souboru"));
    setFixedSize(250, 251);
    fileList()->setMask(QStringLiteral("*.exe;*.bat;*.com"));
    connect(fileList(), &QListWidget::itemDoubleClicked, this,
            [this] { runGuarded(this, [this] { confirm(); }); });
}

int RunFileChooser::chooseFor(FieldId target, const QString& mask, const QString& caption) {
    setTarget(target);
    setMask(mask);
    setWindowTitle(caption);
    return exec();
}

void RunFileChooser::setMask(const QString& mask) {
    fileList()->setMask(mask);
}

QString RunFileChooser::mask() const {
    return fileList()->mask();
}

void RunFileChooser::confirm() {
    const QString name = chosenFileName();
    if (name.isEmpty()) {
        reject();
        return;
    }
    writeField(target_, name);
    accept();
}

} // namespace tornavel::ui
