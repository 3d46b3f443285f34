#pragma once

#include "installer/Prompts.h"

#include <QList>
#include <QMap>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QFileDialog;
class QWidget;

namespace tornavel::ui {

// Every message box and file dialog of the program goes through here, so that
// the texts, captions and buttons are the program's own and the GUI tests can
// answer them without a modal window ever blocking.
class MessageBoxes {
public:
    // The standard error box: error icon, OK, caption "Tornavel", the text with
    // a full stop added when its last character sorts after ".".
    static void standardError(QWidget* parent, const QString& text);
    // The error dialog: error icon, caption "Error", one button "OK".
    static void errorDialog(QWidget* parent, const QString& text);
    // The plain message box: no icon, caption "Tornavel", one button "OK".
    static void plain(QWidget* parent, const QString& text);
    // Texts for a question's buttons where the standard ones ("Ano", "Ne")
    // would not say what each does.
    using ButtonTexts = QMap<QMessageBox::StandardButton, QString>;
    // A question with explicit caption, icon, buttons and default button.
    static QMessageBox::StandardButton question(QWidget* parent, const QString& caption,
                                                const QString& text, QMessageBox::Icon icon,
                                                QMessageBox::StandardButtons buttons,
                                                QMessageBox::StandardButton defaultButton,
                                                const ButtonTexts& buttonTexts = {});

    struct FileDialogOptions {
        QString title;
        // A name, then the patterns in parentheses; the dialog shows the name
        // only: "Nastavení instalace (.ipr) (*.ipr)" shows as
        // "Nastavení instalace (.ipr)" and lists "*.ipr".
        QString filter;
        QString defaultSuffix;   // added when the user types a name without one
        QString initialFolder;   // empty: the platform's default
        QString initialFileName; // may be empty
    };
    // Returns the chosen file, or an empty text when the user cancelled.
    static QString saveFileName(QWidget* parent, const FileDialogOptions& options);
    static QString openFileName(QWidget* parent, const FileDialogOptions& options);

    // The standard error box's text: a full stop is added when the last
    // character sorts after "." (a letter or a digit).
    static QString withFullStop(const QString& text);

    // ---- Test hook ------------------------------------------------------
    struct Record {
        enum class Kind { StandardError, ErrorDialog, Plain, Question, SaveDialog, OpenDialog };
        Kind kind;
        QString caption;
        QString text; // for file dialogs: the initial file name
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        FileDialogOptions dialog; // file dialogs only
        ButtonTexts buttonTexts;  // questions whose buttons say more than "Ano"
    };
    // From now on nothing modal is shown: boxes are recorded and answered from
    // the queues (questions: their default button when the queue is empty;
    // file dialogs: cancelled when the queue is empty).
    static void enableTestMode();
    static void setNextAnswer(QMessageBox::StandardButton answer);
    static void setNextFileName(const QString& fileName);
    static QList<Record> takeRecords();
    // Called with each box as it is recorded, while the code that asked for
    // it waits (empty: nothing is called).
    static void setBoxObserver(std::function<void(const Record&)> observer);

    // The file dialog the two functions above show (kind SaveDialog or
    // OpenDialog), set up but not shown.
    static std::unique_ptr<QFileDialog> createFileDialog(QWidget* parent, Record::Kind kind,
                                                         const FileDialogOptions& options);
};

// The message of the exception being handled (call it only inside a catch
// block): its text, or "Neznámá chyba" for one that carries none.
QString currentExceptionMessage();

// Runs one user action; an exception that escapes it ends the action with the
// standard error box, and the program goes on. Returns false when it failed.
bool runGuarded(QWidget* parent, const std::function<void()>& action);

// The default beep.
void beep();

// Prompts for the core, shown as the program's message boxes. The focus
// request is forwarded to the window that owns the fields.
class GuiPrompts : public Prompts {
public:
    GuiPrompts(QWidget* parent, std::function<void(FieldId)> focus);

    void errorDialog(const std::string& text) override;
    void message(const std::string& text) override;
    Answer ask(const std::string& caption, const std::string& text, Icon icon,
               Answer defaultAnswer) override;
    void focusField(FieldId field) override;

    // Runs before every box the core asks for, so the window can show what
    // the core changed so far before the user is asked anything.
    void setBeforeEachBox(std::function<void()> beforeEachBox) {
        beforeEachBox_ = std::move(beforeEachBox);
    }

private:
    void prepareBox() const;

    QWidget* parent_;
    std::function<void(FieldId)> focus_;
    std::function<void()> beforeEachBox_;
};

} // namespace tornavel::ui
