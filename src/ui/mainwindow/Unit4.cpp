#include "ui/mainwindow/Unit4.h"

#include "project/ProgramSettings.h"
#include "ui/MessageBoxes.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

namespace tornavel::ui {

// The folders of the file system, the opened one in bold so that the user
// sees which folder "OK" takes.
class FolderTreeModel : public QFileSystemModel {
public:
    using QFileSystemModel::QFileSystemModel;

    void setOpened(const QString& path) {
        const QModelIndex before = index(opened_);
        opened_ = path;
        for (const QModelIndex& changed : {before, index(opened_)}) {
            if (changed.isValid()) {
                emit dataChanged(changed, changed, {Qt::FontRole});
            }
        }
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::FontRole && !opened_.isEmpty() && filePath(index) == opened_) {
            QFont font;
            font.setBold(true);
            return font;
        }
        return QFileSystemModel::data(index, role);
    }

private:
    QString opened_;
};

namespace {

QStringList volumeRoots() {
    // The system's drives (on POSIX the root "/") are always offered, also
    // where the mount table cannot be read, as in a container.
    QStringList roots;
    for (const QFileInfo& drive : QDir::drives()) {
        roots << drive.absoluteFilePath();
    }
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady()) {
            roots << volume.rootPath();
        }
    }
    roots.removeDuplicates();
    roots.sort();
    return roots;
}

} // namespace

TForm4::TForm4(const QString& programFolder, QWidget* parent)
    : QDialog(parent), programFolder_(programFolder), model_(new FolderTreeModel(this)) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Výstupní adresář (nastavení)"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setReadOnly(true);
    model_->setRootPath(QString());

    Directory = new QTreeView;
    Directory->setObjectName(QStringLiteral("Directory"));
    Directory->setModel(model_);
    for (int column = 1; column < model_->columnCount(); ++column) {
        Directory->hideColumn(column);
    }
    Directory->header()->hide();
    // A double-click opens the folder; it must not fold it up again.
    Directory->setExpandsOnDoubleClick(false);
    Directory->setMinimumSize(300, 300);
    connect(Directory, &QTreeView::doubleClicked, this,
            [this](const QModelIndex& index) { openFolder(model_->filePath(index)); });

    DriveComboBox1 = new QComboBox;
    DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
    for (const QString& root : volumeRoots()) {
        DriveComboBox1->addItem(QDir::toNativeSeparators(root), root);
    }

    Button1 = new QPushButton(QStringLiteral("OK"));
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Directory, 1);
    layout->addWidget(DriveComboBox1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The list starts at the process's current folder and afterwards keeps
    // whatever it showed when it was last closed.
    openFolder(QDir::currentPath());
    selectDriveOf(opened_);
    connect(DriveComboBox1, &QComboBox::activated, this, &TForm4::DriveComboBox1Change);
    connect(Button1, &QPushButton::clicked, this, &TForm4::Button1Click);
}

void TForm4::openFolder(const QString& path) {
    opened_ = QDir::cleanPath(QDir(path).absolutePath());
    model_->setOpened(opened_);
    const QModelIndex index = model_->index(opened_);
    if (index.isValid()) {
        Directory->setCurrentIndex(index);
        Directory->expand(index);
        Directory->scrollTo(index);
    }
}

QString TForm4::chosenFolder() const {
    QString folder = QDir::toNativeSeparators(opened_);
    if (!folder.endsWith(QDir::separator())) {
        folder += QDir::separator();
    }
    return folder;
}

void TForm4::selectDriveOf(const QString& path) {
    const int position = DriveComboBox1->findData(QStorageInfo(path).rootPath());
    if (position >= 0) {
        DriveComboBox1->setCurrentIndex(position);
    }
}

void TForm4::DriveComboBox1Change(int index) {
    const QString root = DriveComboBox1->itemData(index).toString();
    if (!root.isEmpty()) {
        openFolder(root);
    }
}

void TForm4::Button1Click() {
    const QString chosen = chosenFolder();
    const auto answer = MessageBoxes::question(
        this, QStringLiteral("Upozornění"),
        QStringLiteral("Všechna neuložená nastavení budou ztracena. Chcete pokračovat?"),
        QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes) {
        reject();
        return;
    }
    // A setting that cannot be written keeps the dialog open on the error.
    if (!runGuarded(this, [&] {
            WriteSourceFolderSetting(programFolder_.toStdString(), chosen.toStdString());
        })) {
        return;
    }
    emit sourceFolderChosen(chosen);
    accept();
}

void TForm4::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
}

} // namespace tornavel::ui
