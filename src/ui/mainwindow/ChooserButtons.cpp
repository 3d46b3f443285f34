#include "ui/mainwindow/ChooserButtons.h"

#include "ui/choosers/Unit6.h"
#include "ui/choosers/Vyber.h"
#include "ui/mainwindow/Unit1.h"

namespace tornavel::ui {
namespace {

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

const ChooserOpener* chooserOpenerFor(int button) {
    for (const auto& opener : kChooserOpeners) {
        if (opener.button == button) {
            return &opener;
        }
    }
    return nullptr;
}

void openChooser(int button, TForm5& runFileChooser, TForm6& iconChooser) {
    const ChooserOpener* opener = chooserOpenerFor(button);
    if (!opener) {
        return;
    }
    if (opener->iconChooser) {
        iconChooser.setPurposeCode(opener->purposeCode);
        iconChooser.exec();
        return;
    }
    runFileChooser.setPurposeCode(opener->purposeCode);
    runFileChooser.setMask(text(opener->mask));
    runFileChooser.setWindowTitle(text(opener->caption));
    runFileChooser.exec();
}

FieldBoxes fieldBoxesOf(TForm1& window) {
    return
        [&window](FieldId field) { return qobject_cast<QLineEdit*>(window.fieldControl(field)); };
}

void attachChoosers(TForm1& window, TForm5& runFileChooser, TForm6& iconChooser) {
    window.Form5 = &runFileChooser;
    window.Form6 = &iconChooser;
    QObject::connect(&window, &TForm1::sourceFolderReady, &runFileChooser,
                     &TForm5::setSourceFolder);
    QObject::connect(&window, &TForm1::sourceFolderReady, &iconChooser, &TForm6::setSourceFolder);
}

} // namespace tornavel::ui
