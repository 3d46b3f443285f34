// The "..." buttons of the main window with the two choosers attached as the
// program attaches them.
#include "ui/mainwindow/ChooserButtons.h"

#include "../support/IconSamples.h"
#include "TestFiles.h"
#include "ui/MessageBoxes.h"
#include "ui/choosers/Unit6.h"
#include "ui/choosers/Vyber.h"
#include "ui/controls/ChooserFileList.h"
#include "ui/controls/XIconBox.h"
#include "ui/mainwindow/Unit1.h"
#include "ui/mainwindow/Unit4.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
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

        form_ = std::make_unique<TForm1>(programFolder_.toStdString());
        form4_ = new TForm4(form_->ProgramFolder, form_.get());
        form_->Form4 = form4_;
        form5_ = new TForm5(form_->SourceFolder, fieldBoxesOf(*form_), form_.get());
        form6_ = new TForm6(form_->SourceFolder, fieldBoxesOf(*form_), form_.get());
        attachChoosers(*form_, *form5_, *form6_);
        form_->show();
        QVERIFY(!form_->Modified);
        for (QLineEdit* box : form_->findChildren<QLineEdit*>()) {
            spies_.push_back(std::make_unique<QSignalSpy>(box, &QLineEdit::textChanged));
            boxes_.push_back(box);
        }
    }

    void cleanup() {
        spies_.clear();
        boxes_.clear();
        form_.reset();
        MessageBoxes::takeRecords();
        QDir(dir_.path()).removeRecursively();
    }

    void iconChooserOfIconThreeWritesOnlyItsTwoBoxes() {
        TForm1& f = *form_;
        QTimer::singleShot(0, form6_, [this] {
            QCOMPARE(form6_->PurposeCode(), 32);
            select(form6_->IconBox, "app.exe");
            QCOMPARE(form6_->IconList->count(), 3);
            form6_->IconList->item(2)->setSelected(true);
            form6_->Button1->click();
        });
        f.Button7->click();
        QVERIFY(!form6_->isVisible());
        QCOMPARE(f.Edit31->text(), QString("app.exe"));
        QCOMPARE(f.Edit32->text(), QString("2"));
        QCOMPARE(changedBoxes(), QStringList({"Edit31", "Edit32"}));
        QVERIFY(f.Modified);
    }

    void runFileChooserTakesEachOpenersTitleAndMask() {
        TForm1& f = *form_;
        QString title;
        QString mask;
        QStringList files;
        auto look = [&](std::function<void()> then) {
            QTimer::singleShot(0, form5_, [&, then] {
                title = form5_->windowTitle();
                mask = form5_->mask();
                files = listed(form5_->OpenFile);
                then();
            });
        };
        look([this] { form5_->Button2->click(); });
        f.Button12->click();
        QCOMPARE(title, QString("Výběr licenčního souboru"));
        QCOMPARE(mask, QString("*.txt;*.rtf"));
        QCOMPARE(files, QStringList({"licence.txt"}));
        QVERIFY(changedBoxes().isEmpty());

        look([this] {
            select(form5_->OpenFile, "app.exe");
            form5_->Button1->click();
        });
        f.Button2->click();
        QCOMPARE(title, QString("Výběr spouštěného souboru"));
        QCOMPARE(mask, QString("*.*"));
        QCOMPARE(files, QStringList({"app.exe", "licence.txt"}));
        QCOMPARE(f.Edit19->text(), QString("app.exe"));
        QCOMPARE(changedBoxes(), QStringList({"Edit19"}));
        QVERIFY(f.Modified);

        // The other openers reach their own boxes.
        const std::pair<QPushButton*, QLineEdit*> openers[] = {
            {f.Button4, f.Edit24},  {f.Button6, f.Edit29}, {f.Button8, f.Edit34},
            {f.Button10, f.Edit39}, {f.Button13, f.Edit7}, {f.Button14, f.Edit8}};
        for (const auto& [button, box] : openers) {
            look([this] {
                select(form5_->OpenFile, "licence.txt");
                form5_->Button1->click();
            });
            button->click();
            QCOMPARE(box->text(), QString("licence.txt"));
        }
        QCOMPARE(changedBoxes(),
                 QStringList({"Edit19", "Edit24", "Edit29", "Edit34", "Edit39", "Edit7", "Edit8"}));
    }

    void choosersFollowANewSourceFolder() {
        TForm1& f = *form_;
        const QString other = dir_.path() + "/other";
        QVERIFY(QDir().mkpath(other));
        writeFile(other + "/second.exe", "MZ");

        MessageBoxes::setNextAnswer(QMessageBox::Yes);
        QTimer::singleShot(0, form4_, [this, other] {
            form4_->openFolder(other);
            form4_->Button1->click();
        });
        f.Vystupnadres1->trigger();
        QCOMPARE(f.SourceFolder, other + "/");
        QCOMPARE(form5_->Label1->text(), other + "/");
        QCOMPARE(form6_->Label1->text(), other + "/");

        QStringList files;
        QTimer::singleShot(0, form6_, [&] {
            files = listed(form6_->IconBox);
            form6_->Button2->click();
        });
        f.Button3->click();
        QCOMPARE(files, QStringList({"second.exe"}));
    }

private:
    // The object names of the boxes that notified a change, sorted.
    QStringList changedBoxes() const {
        QStringList names;
        for (std::size_t i = 0; i < boxes_.size(); ++i) {
            if (!spies_[i]->isEmpty()) {
                names << boxes_[i]->objectName();
            }
        }
        names.sort();
        return names;
    }

    QTemporaryDir dir_;
    QString programFolder_;
    QString sourceFolder_;
    std::unique_ptr<TForm1> form_;
    TForm4* form4_ = nullptr;
    TForm5* form5_ = nullptr;
    TForm6* form6_ = nullptr;
    std::vector<QLineEdit*> boxes_;
    std::vector<std::unique_ptr<QSignalSpy>> spies_;
};

QTEST_MAIN(ChooserButtonsTest)
#include "ChooserButtonsTest.moc"
