// The guard around user actions and the texts it shows.
#include "ui/MessageBoxes.h"

#include "platform/Errors.h"

#include <QTest>
#include <stdexcept>

using namespace tornavel::ui;

class MessageBoxesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { MessageBoxes::enableTestMode(); }

    void guardShowsTheEscapedExceptionAndGoesOn() {
        QVERIFY(runGuarded(nullptr, [] {}));
        QVERIFY(!runGuarded(nullptr, [] { throw tornavel::InOutError(101); }));
        QVERIFY(!runGuarded(nullptr, [] { throw std::runtime_error("Konec."); }));
        QVERIFY(!runGuarded(nullptr, [] { throw 42; }));
        const auto shown = MessageBoxes::takeRecords();
        QCOMPARE(shown.size(), 3);
        for (const auto& box : shown) {
            QCOMPARE(box.kind, MessageBoxes::Record::Kind::StandardError);
            QCOMPARE(box.caption, QString("Tornavel"));
        }
        QCOMPARE(shown[0].text, QString("Disk full."));
        QCOMPARE(shown[1].text, QString("Konec."));
        QCOMPARE(shown[2].text, QString("Neznámá chyba."));
    }
};

QTEST_MAIN(MessageBoxesTest)
#include "MessageBoxesTest.moc"
