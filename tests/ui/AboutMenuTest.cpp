// The About box reached from the real main window: F2 opens it modally, Esc
// closes it, and the long hints of its links show on the main window's
// status line.
#include "WindowControls.h"
#include "ui/MessageBoxes.h"
#include "ui/about/AboutBox.h"
#include "ui/mainwindow/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace tornavel;
using namespace tornavel::ui;

class AboutMenuTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<MainWindow> form_;
    AboutBox* autor_ = nullptr;

private slots:
    void initTestCase() { MessageBoxes::enableTestMode(); }

    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        const QString programFolder = dir_->filePath("prog") + "/";
        QVERIFY(QDir().mkpath(programFolder));
        QFile settings(programFolder + "Tornavel.ini");
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("[Nastaveni]\r\nVystupniAdresar=" + dir_->filePath("src").toUtf8() +
                       "/\r\n");
        settings.close();

        form_ = std::make_unique<MainWindow>(programFolder.toStdString());
        autor_ = form_->aboutBox();
        autor_->setUrlOpener([](const QUrl&) { return true; });
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        QApplication::setActiveWindow(form_.get());
        MessageBoxes::takeRecords();
    }

    void cleanup() {
        form_.reset();
        MessageBoxes::takeRecords();
    }

    void f2OpensTheBoxModallyAndEscClosesIt() {
        bool sawBox = false;
        bool wasModal = false;
        QTimer::singleShot(0, autor_, [&] {
            sawBox = autor_->isVisible();
            wasModal = QApplication::activeModalWidget() == autor_;
            QTest::keyClick(autor_, Qt::Key_Escape);
        });
        QTest::keyClick(box(*form_, FieldId::AppName), Qt::Key_F2);
        QVERIFY(sawBox);
        QVERIFY(wasModal);
        QVERIFY(!autor_->isVisible());
        QCOMPARE(autor_->result(), int(QDialog::Rejected));

        // The menu item does the same, and "Zavřít" closes the box too.
        QTimer::singleShot(0, autor_, [&] {
            sawBox = autor_->isVisible();
            QTest::mouseClick(named<QPushButton>(*autor_, "OKButton"), Qt::LeftButton);
        });
        named<QAction>(*form_, "Oautorech")->trigger();
        QVERIFY(sawBox);
        QVERIFY(!autor_->isVisible());
        QVERIFY(MessageBoxes::takeRecords().isEmpty());
    }

    void longHintsOfTheLinksReachTheStatusLine() {
        QString shownOverWeb;
        QString shownOverMail;
        QString shownAfterLeaving;
        QTimer::singleShot(0, autor_, [&] {
            // The pointer entering a label, as the window system reports it.
            const QPointF inside(3, 3);
            QEnterEvent overWeb(inside, inside,
                                named<ShadedLabel>(*autor_, "myLabel3d3")->mapToGlobal(inside));
            QApplication::sendEvent(named<ShadedLabel>(*autor_, "myLabel3d3"), &overWeb);
            shownOverWeb = named<QLabel>(*form_, "Panel2")->text();
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(named<ShadedLabel>(*autor_, "myLabel3d3"), &leave);
            shownAfterLeaving = named<QLabel>(*form_, "Panel2")->text();
            QEnterEvent overMail(inside, inside,
                                 named<ShadedLabel>(*autor_, "myLabel3d4")->mapToGlobal(inside));
            QApplication::sendEvent(named<ShadedLabel>(*autor_, "myLabel3d4"), &overMail);
            shownOverMail = named<QLabel>(*form_, "Panel2")->text();
            autor_->reject();
        });
        named<QAction>(*form_, "Oautorech")->trigger();
        QCOMPARE(shownOverWeb,
                 QStringLiteral("Spustí Váš internetový prohlížeč a najde mé stránky"));
        QCOMPARE(shownAfterLeaving, QString());
        QCOMPARE(shownOverMail,
                 QStringLiteral("Spustí Váš poštovní program, abyste mi mohli napsat"));
    }
};

QTEST_MAIN(AboutMenuTest)
#include "AboutMenuTest.moc"
