// The "..." buttons of the main window with the two choosers the window makes.
#include "ui/mainwindow/ChooserButtons.h"

#include "../support/IconSamples.h"
#include "TestFiles.h"
#include "WindowControls.h"
#include "ui/MessageBoxes.h"
#include "ui/choosers/IconChooser.h"
#include "ui/choosers/RunFileChooser.h"
#include "ui/controls/ChooserFileList.h"
#include "ui/controls/IconGrid.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/OutputFolderDialog.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

using namespace tornavel;
using namespace tornavel::ui;
using namespace tornavel::test;

namespace {

void writeFile(const QString& path, const std::string& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

int rowOf(const QListWidget* list, const QString& text) {
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text() == text) {
            return i;
        }
    }
    return -1;
}

void select(QListWidget* list, const QString& text) {
    const int row = rowOf(list, text);
    QVERIFY2(row >= 0, qPrintable(text));
    list->item(row)->setSelected(true);
}

QStringList listed(const QListWidget* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i) {
        names << list->item(i)->text();
    }
    return names;
}

} // namespace

class ChooserButtonsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { MessageBoxes::enableTestMode(); }

    void init() {
        QVERIFY(dir_.isValid());
        makeProgramAndSourceFolders(dir_.path(), programFolder_, sourceFolder_);
        writeFile(
            sourceFolder_ + "app.exe",
            samplePeFile({{{32, 0xFFFF0000}}, {{32, 0xFF00FF00}}, {{32, 0xFF0000FF}}}, false));
        writeFile(sourceFolder_ + "licence.txt", "text");

        form_ = std::make_unique<MainWindow>(programFolder_.toStdString());
        form4_ = form_->outputFolderDialog();
        form5_ = form_->runFileChooser();
        form6_ = form_->iconChooser();
        form_->show();
        QVERIFY(!form_->isModified());
    }

    void cleanup() {
        form_.reset();
        MessageBoxes::takeRecords();
        QDir(dir_.path()).removeRecursively();
    }

    void iconChooserOfIconThreeWritesOnlyItsTwoBoxes() {
        MainWindow& f = *form_;
        QTimer::singleShot(0, form6_, [this] {
            select(form6_->fileList(), "app.exe");
            QCOMPARE(form6_->iconGrid()->count(), 3);
            form6_->iconGrid()->item(2)->setSelected(true);
            form6_->okButton()->click();
        });
        named<QPushButton>(f, "Button7")->click();
        QVERIFY(!form6_->isVisible());
        QCOMPARE(box(f, iconField(2, IconPart::IconFile))->text(), QString("app.exe"));
        QCOMPARE(box(f, iconField(2, IconPart::IconIndex))->text(), QString("2"));
        QCOMPARE(changedBoxes(), QStringList({"Edit31", "Edit32"}));
        QVERIFY(f.isModified());
    }

    void runFileChooserTakesEachOpenersTitleAndMask() {
        MainWindow& f = *form_;
        QString title;
        QString mask;
        QStringList files;
        auto look = [&](std::function<void()> then) {
            QTimer::singleShot(0, form5_, [&, then] {
                title = form5_->windowTitle();
                mask = form5_->mask();
                files = listed(form5_->fileList());
                then();
            });
        };
        look([this] { form5_->cancelButton()->click(); });
        named<QPushButton>(f, "Button12")->click();
        QCOMPARE(title, QString("Výběr licenčního souboru"));
        QCOMPARE(mask, QString("*.txt;*.rtf"));
        QCOMPARE(files, QStringList({"licence.txt"}));
        QVERIFY(changedBoxes().isEmpty());

        look([this] {
            select(form5_->fileList(), "app.exe");
            form5_->okButton()->click();
        });
        named<QPushButton>(f, "Button2")->click();
        QCOMPARE(title, QString("Výběr spouštěného souboru"));
        QCOMPARE(mask, QString("*.*"));
        QCOMPARE(files, QStringList({"app.exe", "licence.txt"}));
        QCOMPARE(box(f, iconField(0, IconPart::FileName))->text(), QString("app.exe"));
        QCOMPARE(changedBoxes(), QStringList({"Edit19"}));
        QVERIFY(f.isModified());

        // The other openers reach their own boxes.
        const std::pair<QPushButton*, QLineEdit*> openers[] = {
            {named<QPushButton>(f, "Button4"), box(f, iconField(1, IconPart::FileName))},
            {named<QPushButton>(f, "Button6"), box(f, iconField(2, IconPart::FileName))},
            {named<QPushButton>(f, "Button8"), box(f, iconField(3, IconPart::FileName))},
            {named<QPushButton>(f, "Button10"), box(f, iconField(4, IconPart::FileName))},
            {named<QPushButton>(f, "Button13"), box(f, FieldId::InfoBeforeFile)},
            {named<QPushButton>(f, "Button14"), box(f, FieldId::InfoAfterFile)}};
        for (const auto& [button, box] : openers) {
            look([this] {
                select(form5_->fileList(), "licence.txt");
                form5_->okButton()->click();
            });
            button->click();
            QCOMPARE(box->text(), QString("licence.txt"));
        }
        QCOMPARE(changedBoxes(),
                 QStringList({"Edit19", "Edit24", "Edit29", "Edit34", "Edit39", "Edit7", "Edit8"}));

        // The setup icon's opener lists the icon files only.
        writeFile(sourceFolder_ + "setup.ico", sampleIcoFile({{16, 0xFF00FF00}}));
        look([this] {
            select(form5_->fileList(), "setup.ico");
            form5_->okButton()->click();
        });
        named<QPushButton>(f, "SetupIconFileButton")->click();
        QCOMPARE(title, QString("Výběr ikony instalačního programu"));
        QCOMPARE(files, QStringList({"setup.ico"}));
        QCOMPARE(box(f, FieldId::SetupIconFile)->text(), QString("setup.ico"));
    }

    void choosersFollowANewSourceFolder() {
        MainWindow& f = *form_;
        const QString other = dir_.path() + "/other";
        QVERIFY(QDir().mkpath(other));
        writeFile(other + "/second.exe", "MZ");

        MessageBoxes::setNextAnswer(QMessageBox::Yes);
        QTimer::singleShot(0, form4_, [this, other] {
            form4_->openFolder(other);
            form4_->okButton()->click();
        });
        named<QAction>(f, "Vystupnadres1")->trigger();
        QCOMPARE(f.sourceFolder(), other + "/");
        QCOMPARE(named<QLabel>(*form5_, "Label1")->text(), other + "/");
        QCOMPARE(named<QLabel>(*form6_, "Label1")->text(), other + "/");

        QStringList files;
        QTimer::singleShot(0, form6_, [&] {
            files = listed(form6_->fileList());
            form6_->cancelButton()->click();
        });
        named<QPushButton>(f, "Button3")->click();
        QCOMPARE(files, QStringList({"second.exe"}));
    }

private:
    // The object names of the controls whose fields the project holds
    // changed since the start, sorted.
    QStringList changedBoxes() const {
        QStringList names;
        for (const FieldInfo& field : projectFields()) {
            if (getField(form_->project(), field.id) != getField(ProjectSettings{}, field.id)) {
                names << QString::fromUtf8(field.control.data(), qsizetype(field.control.size()));
            }
        }
        names.sort();
        return names;
    }

    QTemporaryDir dir_;
    QString programFolder_;
    QString sourceFolder_;
    std::unique_ptr<MainWindow> form_;
    OutputFolderDialog* form4_ = nullptr;
    RunFileChooser* form5_ = nullptr;
    IconChooser* form6_ = nullptr;
};

QTEST_MAIN(ChooserButtonsTest)
#include "ChooserButtonsTest.moc"
