#include "ui/MessageBoxes.h"

#include <QApplication>
#include <QFileDialog>
#include <QPushButton>
#include <deque>
#include <exception>

namespace tornavel::ui {
namespace {

// The test hook's state lives only while tests run; the program never sets it.
struct TestHook {
    bool enabled = false;
    std::deque<QMessageBox::StandardButton> answers;
    std::deque<QString> fileNames;
    QList<MessageBoxes::Record> records;
    std::function<void(const MessageBoxes::Record&)> observer;
};

TestHook& hook() {
    static TestHook instance;
    return instance;
}

void record(const MessageBoxes::Record& r) {
    hook().records.append(r);
    if (hook().observer) {
        hook().observer(r);
    }
}

QMessageBox::StandardButton showBox(QWidget* parent, MessageBoxes::Record::Kind kind,
                                    const QString& caption, const QString& text,
                                    QMessageBox::Icon icon, QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton,
                                    const MessageBoxes::ButtonTexts& buttonTexts = {}) {
    if (hook().enabled) {
        record({kind, caption, text, icon, buttons, defaultButton, {}, buttonTexts});
        if (hook().answers.empty()) {
            return defaultButton != QMessageBox::NoButton ? defaultButton : QMessageBox::Ok;
        }
        const auto answer = hook().answers.front();
        hook().answers.pop_front();
        return answer;
    }
    QMessageBox box(icon, caption, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton) {
        box.setDefaultButton(defaultButton);
    }
    for (auto it = buttonTexts.cbegin(); it != buttonTexts.cend(); ++it) {
        if (QAbstractButton* button = box.button(it.key())) {
            button->setText(it.value());
        }
    }
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString showFileDialog(QWidget* parent, MessageBoxes::Record::Kind kind,
                       const MessageBoxes::FileDialogOptions& options) {
    if (hook().enabled) {
        record({kind,
                options.title,
                options.initialFileName,
                QMessageBox::NoIcon,
                {},
                QMessageBox::NoButton,
                options,
                {}});
        if (hook().fileNames.empty()) {
            return {};
        }
        const QString name = hook().fileNames.front();
        hook().fileNames.pop_front();
        return name;
    }
    const auto dialog = MessageBoxes::createFileDialog(parent, kind, options);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        return {};
    }
    return dialog->selectedFiles().constFirst();
}

} // namespace

std::unique_ptr<QFileDialog> MessageBoxes::createFileDialog(QWidget* parent, Record::Kind kind,
                                                            const FileDialogOptions& options) {
    auto dialog =
        std::make_unique<QFileDialog>(parent, options.title, options.initialFolder, options.filter);
    // Qt's own dialog, not the desktop's: it speaks Czech through the loaded
    // translation whatever the desktop's language, and it shows a filter's
    // name exactly as given, without the patterns after it.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    dialog->setDefaultSuffix(options.defaultSuffix);
    if (kind == Record::Kind::SaveDialog) {
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
    } else {
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
        dialog->setFileMode(QFileDialog::ExistingFile);
    }
    if (!options.initialFileName.isEmpty()) {
        dialog->selectFile(options.initialFileName);
    }
    return dialog;
}

QString MessageBoxes::withFullStop(const QString& text) {
    if (!text.isEmpty() && text.back() > QChar(u'.')) {
        return text + u'.';
    }
    return text;
}

void MessageBoxes::standardError(QWidget* parent, const QString& text) {
    showBox(parent, Record::Kind::StandardError, QStringLiteral("Tornavel"), withFullStop(text),
            QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok);
}

void MessageBoxes::errorDialog(QWidget* parent, const QString& text) {
    showBox(parent, Record::Kind::ErrorDialog, QStringLiteral("Error"), text, QMessageBox::Critical,
            QMessageBox::Ok, QMessageBox::Ok);
}

void MessageBoxes::plain(QWidget* parent, const QString& text) {
    showBox(parent, Record::Kind::Plain, QStringLiteral("Tornavel"), text, QMessageBox::NoIcon,
            QMessageBox::Ok, QMessageBox::Ok);
}

QMessageBox::StandardButton MessageBoxes::question(QWidget* parent, const QString& caption,
                                                   const QString& text, QMessageBox::Icon icon,
                                                   QMessageBox::StandardButtons buttons,
                                                   QMessageBox::StandardButton defaultButton,
                                                   const ButtonTexts& buttonTexts) {
    return showBox(parent, Record::Kind::Question, caption, text, icon, buttons, defaultButton,
                   buttonTexts);
}

QString MessageBoxes::saveFileName(QWidget* parent, const FileDialogOptions& options) {
    return showFileDialog(parent, Record::Kind::SaveDialog, options);
}

QString MessageBoxes::openFileName(QWidget* parent, const FileDialogOptions& options) {
    return showFileDialog(parent, Record::Kind::OpenDialog, options);
}

void MessageBoxes::enableTestMode() {
    hook().enabled = true;
}
void MessageBoxes::setNextAnswer(QMessageBox::StandardButton answer) {
    hook().answers.push_back(answer);
}
void MessageBoxes::setNextFileName(const QString& fileName) {
    hook().fileNames.push_back(fileName);
}
void MessageBoxes::setBoxObserver(std::function<void(const Record&)> observer) {
    hook().observer = std::move(observer);
}
QList<MessageBoxes::Record> MessageBoxes::takeRecords() {
    QList<Record> out;
    out.swap(hook().records);
    return out;
}

QString currentExceptionMessage() {
    try {
        throw;
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Neznámá chyba");
    }
}

bool runGuarded(QWidget* parent, const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (...) {
        MessageBoxes::standardError(parent, currentExceptionMessage());
    }
    return false;
}

void beep() {
    QApplication::beep();
}

GuiPrompts::GuiPrompts(QWidget* parent, std::function<void(FieldId)> focus)
    : parent_(parent), focus_(std::move(focus)) {}

void GuiPrompts::prepareBox() const {
    if (beforeEachBox_) {
        beforeEachBox_();
    }
}

void GuiPrompts::errorDialog(const std::string& text) {
    prepareBox();
    MessageBoxes::errorDialog(parent_, QString::fromStdString(text));
}

void GuiPrompts::message(const std::string& text) {
    prepareBox();
    MessageBoxes::plain(parent_, QString::fromStdString(text));
}

Prompts::Answer GuiPrompts::ask(const std::string& caption, const std::string& text, Icon icon,
                                Answer defaultAnswer) {
    prepareBox();
    const auto result = MessageBoxes::question(
        parent_, QString::fromStdString(caption), QString::fromStdString(text),
        icon == Icon::Warning ? QMessageBox::Warning : QMessageBox::Question,
        QMessageBox::Yes | QMessageBox::No,
        defaultAnswer == Answer::Yes ? QMessageBox::Yes : QMessageBox::No);
    return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

void GuiPrompts::focusField(FieldId field) {
    if (focus_) {
        focus_(field);
    }
}

} // namespace tornavel::ui
