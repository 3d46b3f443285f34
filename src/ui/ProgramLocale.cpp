#include "ui/ProgramLocale.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tornavel::ui {

void SetUpProgramLocale() {
    QLocale::setDefault(QLocale::system());
    // Owned by the application, so it lives as long as the texts it gives.
    auto* translation = new QTranslator(QCoreApplication::instance());
    if (translation->load(QStringLiteral("qtbase_cs"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translation);
    } else {
        delete translation;
    }
}

} // namespace tornavel::ui
