#include "ui/choosers/ChooserDialog.h"

#include "platform/Cp1250.h"
#include "ui/MessageBoxes.h"
#include "ui/controls/ChooserFileList.h"

#include <QLabel>
#include <QPushButton>

namespace tornavel::ui {

ChooserDialog::ChooserDialog(const QString& listName, int listHeight, QWidget* parent)
    : QDialog(parent), folderLabel_(new QLabel(this)), fileList_(new ChooserFileList(this)) {
    folderLabel_->setObjectName(QStringLiteral("Label1"));
    QFont bold = folderLabel_->font();
    bold.setBold(true);
    bold.setPointSize(10);
    folderLabel_->setFont(bold);
    folderLabel_->move(8, 6);

    fileList_->setObjectName(listName);
    fileList_->setGeometry(8, 24, 233, listHeight);

    const int buttonsTop = 24 + listHeight + 7;
    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("Button1"));
    okButton_->setGeometry(32, buttonsTop, 75, 25);
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(QStringLiteral("Storno"), this);
    cancelButton_->setObjectName(QStringLiteral("Button2"));
    cancelButton_->setGeometry(144, buttonsTop, 75, 25);

    connect(okButton_, &QPushButton::clicked, this,
            [this] { runGuarded(this, [this] { confirm(); }); });
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void ChooserDialog::setSourceFolder(const QString& sourceFolder) {
    fileList_->setFolder(sourceFolder);
    folderLabel_->setText(sourceFolder);
    folderLabel_->adjustSize();
}

void ChooserDialog::showEvent(QShowEvent* event) {
    // Files added since the last showing appear; the old selection goes.
    fileList_->reread();
    QDialog::showEvent(event);
}

QString ChooserDialog::selectedFileName() const {
    const QString name = fileList_->selectedName();
    requireCp1250Encodable(name.toStdString());
    return name;
}

} // namespace tornavel::ui
