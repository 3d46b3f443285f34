// tornavel: the GUI program.
#include "ui/ProgramLocale.h"
#include "ui/mainwindow/MainWindow.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tornavel"));

    tornavel::ui::SetUpProgramLocale();

    // The main window makes its dialogs after its own start-up, which reads
    // SourceFolder for them.
    tornavel::ui::MainWindow window;
    window.show();
    // Wine's prefix made ahead and its server kept up while the window lives;
    // both end with the window.
    window.warmUpCompiler();
    return QApplication::exec();
}
