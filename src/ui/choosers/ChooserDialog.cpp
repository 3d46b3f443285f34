#include "ui/choosers/ChooserDialog.h"

#include "platform/Cp1250.h"
#include "ui/MessageBoxes.h"
#include "ui/controls/ChooserFileList.h"

#include <QLabel>
#include <QPushButton>

namespace tornavel::ui {

ChooserDialog::ChooserDialog(const QString& sourceFolder, FieldBoxes fields,
                             const QString& listName, int listHeight, QWidget* parent)
    : QDialog(parent), fileList_(new TChooserFileList(this)), fields_(std::move(fields)) {
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    bold.setPointSize(10);
    Label1->setFont(bold);
    Label1->move(8, 6);

    fileList_->setObjectName(listName);
    fileList_->setGeometry(8, 24, 233, listHeight);

    const int buttonsTop = 24 + listHeight + 7;
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(32, buttonsTop, 75, 25);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Storno"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(144, buttonsTop, 75, 25);

    connect(Button1, &QPushButton::clicked, this,
            [this] { runGuarded(this, [this] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, &ChooserDialog::Button2Click);

    setSourceFolder(sourceFolder);
}

void ChooserDialog::setSourceFolder(const QString& sourceFolder) {
    fileList_->setFolder(sourceFolder);
    Label1->setText(sourceFolder);
    Label1->adjustSize();
}

void ChooserDialog::Button2Click() {
    reject();
}

void ChooserDialog::showEvent(QShowEvent* event) {
    // Files added since the last showing appear; the old selection goes.
    fileList_->reread();
    QDialog::showEvent(event);
}

QString ChooserDialog::chosenFileName() const {
    const QString name = fileList_->selectedName();
    requireCp1250Encodable(name.toStdString());
    return name;
}

void ChooserDialog::writeField(FieldId field, const QString& text) const {
    if (QLineEdit* box = fields_ ? fields_(field) : nullptr) {
        box->setText(text);
    }
}

} // namespace tornavel::ui
