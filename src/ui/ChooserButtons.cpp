#include "ui/ChooserButtons.h"

#include "ui/Unit6.h"
#include "ui/Vyber.h"

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

} // namespace tornavel::ui
