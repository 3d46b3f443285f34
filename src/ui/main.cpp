// tornavel: the GUI program.
#include "ui/ProgramLocale.h"
#include "ui/about/About.h"
#include "ui/choosers/Unit6.h"
#include "ui/choosers/Vyber.h"
#include "ui/mainwindow/ChooserButtons.h"
#include "ui/mainwindow/Unit1.h"
#include "ui/mainwindow/Unit4.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tornavel"));

    tornavel::ui::SetUpProgramLocale();

    // The main window first: it reads SourceFolder, which the dialogs use.
    tornavel::ui::TForm1 form1;
    auto* form4 = new tornavel::ui::TForm4(form1.ProgramFolder, &form1);
    form1.Form4 = form4;
    auto* form5 =
        new tornavel::ui::TForm5(form1.SourceFolder, tornavel::ui::fieldBoxesOf(form1), &form1);
    auto* form6 =
        new tornavel::ui::TForm6(form1.SourceFolder, tornavel::ui::fieldBoxesOf(form1), &form1);
    tornavel::ui::attachChoosers(form1, *form5, *form6);
    // The About box comes last; "&O autorech" (F2) shows it modally.
    auto* autor = new tornavel::ui::TAutor(&form1);
    autor->openFrom(form1.Oautorech);

    form1.show();
    return QApplication::exec();
}
