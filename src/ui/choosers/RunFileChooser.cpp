#include "ui/choosers/RunFileChooser.h"

#include "ui/MessageBoxes.h"
#include "ui/controls/ChooserFileList.h"

namespace tornavel::ui {

RunFileChooser::RunFileChooser(QWidget* parent)
    : ChooserDialog(QStringLiteral("OpenFile"), 185, parent) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Výběr spouštěného souboru"));
    setFixedSize(250, 251);
    fileList()->setMask(QStringLiteral("*.exe;*.bat;*.com"));
    connect(fileList(), &QListWidget::itemDoubleClicked, this,
            [this] { runGuarded(this, [this] { confirm(); }); });
}

int RunFileChooser::choose(const QString& mask, const QString& caption) {
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
    const QString name = selectedFileName();
    if (name.isEmpty()) {
        reject();
        return;
    }
    chosenName_ = name;
    accept();
}

} // namespace tornavel::ui
