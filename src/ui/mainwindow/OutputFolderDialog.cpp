#include "ui/mainwindow/OutputFolderDialog.h"

#include "ui/MessageBoxes.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
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
                Q_EMIT dataChanged(changed, changed, {Qt::FontRole});
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

OutputFolderDialog::OutputFolderDialog(QWidget* parent)
    : QDialog(parent), model_(new FolderTreeModel(this)) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Výstupní adresář (nastavení)"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setReadOnly(true);
    model_->setRootPath(QString());

    folderTree_ = new QTreeView;
    folderTree_->setObjectName(QStringLiteral("Directory"));
    folderTree_->setModel(model_);
    for (int column = 1; column < model_->columnCount(); ++column) {
        folderTree_->hideColumn(column);
    }
    folderTree_->header()->hide();
    // A double-click opens the folder; it must not fold it up again.
    folderTree_->setExpandsOnDoubleClick(false);
    folderTree_->setMinimumSize(300, 300);
    connect(folderTree_, &QTreeView::doubleClicked, this,
            [this](const QModelIndex& index) { openFolder(model_->filePath(index)); });
    // Enter and Space open the highlighted folder as a double-click does.
    folderTree_->installEventFilter(this);

    driveList_ = new QComboBox;
    driveList_->setObjectName(QStringLiteral("DriveComboBox1"));
    for (const QString& root : volumeRoots()) {
        driveList_->addItem(QDir::toNativeSeparators(root), root);
    }

    openedLabel_ = new QLabel;
    openedLabel_->setObjectName(QStringLiteral("OpenedFolder"));
    openedLabel_->setTextFormat(Qt::PlainText);
    openedLabel_->setWordWrap(true);
    // A long path must not widen the dialog.
    openedLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    okButton_ = new QPushButton(QStringLiteral("OK"));
    okButton_->setObjectName(QStringLiteral("Button1"));
    okButton_->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton_);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(folderTree_, 1);
    layout->addWidget(driveList_);
    layout->addWidget(openedLabel_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The list starts at the process's current folder and afterwards keeps
    // whatever it showed when it was last closed.
    openFolder(QDir::currentPath());
    selectDriveOf(opened_);
    connect(driveList_, &QComboBox::activated, this, &OutputFolderDialog::openDrive);
    connect(okButton_, &QPushButton::clicked, this, &OutputFolderDialog::confirm);
}

void OutputFolderDialog::openFolder(const QString& path) {
    opened_ = QDir::cleanPath(QDir(path).absolutePath());
    model_->setOpened(opened_);
    openedLabel_->setText(QStringLiteral("OK zvolí adresář %1").arg(chosenFolder()));
    const QModelIndex index = model_->index(opened_);
    if (index.isValid()) {
        folderTree_->setCurrentIndex(index);
        folderTree_->expand(index);
        folderTree_->scrollTo(index);
    }
}

QString OutputFolderDialog::chosenFolder() const {
    QString folder = QDir::toNativeSeparators(opened_);
    if (!folder.endsWith(QDir::separator())) {
        folder += QDir::separator();
    }
    return folder;
}

void OutputFolderDialog::selectDriveOf(const QString& path) {
    const int position = driveList_->findData(QStorageInfo(path).rootPath());
    if (position >= 0) {
        driveList_->setCurrentIndex(position);
    }
}

void OutputFolderDialog::openDrive(int index) {
    const QString root = driveList_->itemData(index).toString();
    if (!root.isEmpty()) {
        openFolder(root);
    }
}

void OutputFolderDialog::confirm() {
    const auto answer = MessageBoxes::question(
        this, QStringLiteral("Upozornění"),
        QStringLiteral("Všechna neuložená nastavení budou ztracena. Chcete pokračovat?"),
        QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer == QMessageBox::Yes) {
        accept();
    } else {
        reject();
    }
}

bool OutputFolderDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched != folderTree_ || event->type() != QEvent::KeyPress) {
        return QDialog::eventFilter(watched, event);
    }
    const int key = static_cast<QKeyEvent*>(event)->key();
    const QModelIndex highlighted = folderTree_->currentIndex();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if ((!enter && key != Qt::Key_Space) || !highlighted.isValid()) {
        return QDialog::eventFilter(watched, event);
    }
    const QString folder = QDir::cleanPath(model_->filePath(highlighted));
    // Enter on the folder already opened goes on to the default button, OK.
    if (enter && folder == opened_) {
        return QDialog::eventFilter(watched, event);
    }
    openFolder(folder);
    return true;
}

void OutputFolderDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
}

} // namespace tornavel::ui
