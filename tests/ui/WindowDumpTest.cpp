// The program's windows as the user meets them: every named widget and action
// with its texts, hints, enabled state and the keyboard's tab order, compared
// with a recorded dump. A renamed class or member changes nothing here; a
// changed caption, hint, object name or tab stop does.
#include "TestFiles.h"
#include "WindowControls.h"
#include "ui/MessageBoxes.h"
#include "ui/about/AboutBox.h"
#include "ui/choosers/IconChooser.h"
#include "ui/choosers/RunFileChooser.h"
#include "ui/console/CompilerConsole.h"
#include "ui/controls/ShadedLabel.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/OutputFolderDialog.h"
#include "ui/mainwindow/SigningDialog.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace tornavel::ui;

namespace {

QString escaped(QString text) {
    return text.replace('\\', "\\\\").replace('\n', "\\n").replace('\r', "\\r");
}

// The texts a widget shows, whatever its class.
QStringList textsOf(const QWidget* w) {
    QStringList texts;
    if (w->isWindow()) {
        texts << "title=" + w->windowTitle();
    }
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        texts << "text=" + label->text();
    } else if (const auto* shaded = qobject_cast<const ShadedLabel*>(w)) {
        texts << "text=" + shaded->text();
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
        texts << "text=" + button->text();
        if (button->isCheckable()) {
            texts << QString("checked=%1").arg(button->isChecked());
        }
    } else if (const auto* group = qobject_cast<const QGroupBox*>(w)) {
        texts << "title=" + group->title();
        // A radio group's items are unnamed buttons of its own.
        QStringList items;
        for (const QAbstractButton* item :
             group->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly)) {
            if (item->objectName().isEmpty()) {
                items << item->text() + (item->isChecked() ? "*" : "");
            }
        }
        if (!items.isEmpty()) {
            texts << "items=" + items.join('|');
        }
    } else if (const auto* edit = qobject_cast<const QLineEdit*>(w)) {
        texts << "text=" + edit->text();
    } else if (const auto* list = qobject_cast<const QComboBox*>(w);
               list && w->objectName() != "DriveComboBox1") { // the machine's volumes
        QStringList items;
        for (int i = 0; i < list->count(); ++i) {
            items << list->itemText(i);
        }
        texts << QString("current=%1").arg(list->currentIndex()) << "items=" + items.join('|');
    } else if (const auto* tabs = qobject_cast<const QTabWidget*>(w)) {
        QStringList captions;
        for (int i = 0; i < tabs->count(); ++i) {
            captions << tabs->tabText(i);
        }
        texts << "tabs=" + captions.join('|');
    }
    if (!w->toolTip().isEmpty()) {
        texts << "tip=" + w->toolTip();
    }
    if (!w->statusTip().isEmpty()) {
        texts << "status=" + w->statusTip();
    }
    if (!w->isEnabled()) {
        texts << "disabled";
    }
    return texts;
}

bool isOurs(const QObject* o) {
    return !o->objectName().isEmpty() && !o->objectName().startsWith("qt_");
}

// A widget of the window that shows a text of its own but has no name.
bool isUnnamedText(const QWidget* w) {
    return w->objectName().isEmpty() &&
           (qobject_cast<const QLabel*>(w) || qobject_cast<const ShadedLabel*>(w) ||
            qobject_cast<const QAbstractButton*>(w)) &&
           !qobject_cast<const QGroupBox*>(w->parentWidget());
}

// A widget in the tab order: its object name, or the text of an unnamed button.
QString tabStopName(const QWidget* w) {
    if (isOurs(w)) {
        return w->objectName();
    }
    const auto* button = qobject_cast<const QAbstractButton*>(w);
    return button && w->objectName().isEmpty() ? "[" + button->text() + "]" : QString();
}

// Every named widget and action under window, sorted by name, then the tab
// order of the widgets that take the focus by Tab.
QString dump(QWidget* window, const QString& root) {
    QStringList lines;
    for (const QObject* o : window->findChildren<QObject*>()) {
        if (const auto* w = qobject_cast<const QWidget*>(o)) {
            // Another window's widgets belong to its own dump.
            if (w->window() == window && (isOurs(w) || isUnnamedText(w))) {
                lines << "  " + w->objectName() + " " + textsOf(w).join(" ; ");
            }
        } else if (!isOurs(o)) {
            continue;
        } else if (const auto* a = qobject_cast<const QAction*>(o)) {
            lines << "  action " + a->objectName() + " text=" + a->text() +
                         " key=" + a->shortcut().toString() + (a->isEnabled() ? "" : " disabled");
        }
    }
    lines.sort();
    lines.prepend("window " + window->objectName() + " " + textsOf(window).join(" ; "));
    QStringList order;
    QWidget* w = window;
    do {
        const QString name = tabStopName(w);
        if (!name.isEmpty() && (w->focusPolicy() & Qt::TabFocus) && w != window) {
            order << name;
        }
        w = w->nextInFocusChain();
    } while (w && w != window);
    lines << "  tab order: " + order.join(' ');
    return escaped(lines.join('\n')).replace("\\n", "\n").replace(root, "<root>") + "\n";
}

} // namespace

class WindowDumpTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { MessageBoxes::enableTestMode(); }

    void windowsMatchTheRecordedDump() {
        QTemporaryDir dir;
        QString program;
        QString source;
        makeProgramAndSourceFolders(dir.path(), program, source);

        MainWindow form1(program.toStdString());
        // It starts at the process's current folder, which differs by machine.
        form1.outputFolderDialog()->openFolder(source);
        QWidget* form4 = form1.outputFolderDialog();
        QWidget* form5 = form1.runFileChooser();
        QWidget* form6 = form1.iconChooser();
        QWidget* autor = form1.aboutBox();
        QWidget* signing = form1.signingDialog();
        auto* console = new CompilerConsole(&form1);

        QString all;
        for (QWidget* window : std::initializer_list<QWidget*>{&form1, form4, form5, form6, autor,
                                                               console, signing}) {
            all += dump(window, dir.path());
        }
        // The About box's date line follows the program file's time.
        all.replace(QRegularExpression("(Label2 text=Tato verze spatřila světlo světa )[^ \\n]*"),
                    "\\1<date>");

        const QString expectedPath = QStringLiteral(TORNAVEL_TEST_DATA_DIR "/windows.txt");
        if (qEnvironmentVariableIsSet("TORNAVEL_WRITE_DUMP")) {
            writeAll(expectedPath, all.toUtf8());
        }
        const QStringList expected = QString::fromUtf8(readAll(expectedPath)).split('\n');
        const QStringList actual = all.split('\n');
        for (qsizetype i = 0; i < std::min(expected.size(), actual.size()); ++i) {
            QCOMPARE(actual[i], expected[i]);
        }
        QCOMPARE(actual.size(), expected.size());
    }
};

QTEST_MAIN(WindowDumpTest)
#include "WindowDumpTest.moc"
