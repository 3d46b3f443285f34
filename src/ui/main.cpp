// tornavel: the GUI program.
//
//   tornavel [PROJECT.ipr]
//
// A project named on the command line (a double-click on a project file) is
// opened once the window has made its start-up.
#include "ui/ProgramLocale.h"
#include "ui/mainwindow/MainWindow.h"

#include <QApplication>
#include <QIcon>
#include <QStringList>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tornavel"));
    // Names the menu entry, so that a desktop shows the entry's icon for the window.
    QGuiApplication::setDesktopFileName(QStringLiteral("tornavel"));
    QIcon icon;
    for (const int size : {16, 32, 64, 256}) {
        icon.addFile(QStringLiteral(":/icons/tornavel-%1.png").arg(size));
    }
    QApplication::setWindowIcon(icon);

    tornavel::ui::SetUpProgramLocale();

    // The main window makes its dialogs after its own start-up, which reads
    // SourceFolder for them.
    tornavel::ui::MainWindow window;
    window.show();
    // Wine's prefix made ahead and its server kept up while the window lives;
    // both end with the window.
    window.warmUpCompiler();
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) {
        const QString project = arguments.at(1);
        QTimer::singleShot(0, &window, [&window, project] { window.openProjectFile(project); });
    }
    return QApplication::exec();
}
