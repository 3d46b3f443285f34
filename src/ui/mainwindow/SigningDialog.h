#pragma once

#include "project/ProgramSettings.h"

#include <QDialog>
#include <QString>

class QCheckBox;
class QGridLayout;
class QLineEdit;

namespace tornavel::ui {

// "Podepisování…": whether and how the installer and its uninstaller are
// signed — the certificate, its key when that is a file of its own, the file
// that holds the password (the password itself is never stored), and a
// timestamp server. OK stores them in the program's settings file; Storno
// changes nothing.
class SigningDialog : public QDialog {
    Q_OBJECT
public:
    SigningDialog(SettingsLocation settings, QWidget* parent = nullptr);

    // Shows the stored settings and the dialog; Accepted once they are stored.
    int exec() override;

    QCheckBox* signCheck() const { return sign_; }
    QLineEdit* certificateBox() const { return certificate_; }
    QLineEdit* passwordFileBox() const { return passwordFile_; }
    QLineEdit* timestampBox() const { return timestamp_; }

public Q_SLOTS:
    // OK: stores the settings; a settings file that cannot be written, or
    // signing without a certificate, keeps the dialog open on the message.
    void confirm();

private:
    QLineEdit* addFileRow(const QString& label, const QString& dialogTitle, const QString& filter,
                          const char* objectName);
    void applyEnabling();

    SettingsLocation settings_;
    PublishingSettings shown_;
    QCheckBox* sign_;
    QLineEdit* certificate_;
    QLineEdit* key_;
    QLineEdit* passwordFile_;
    QLineEdit* timestamp_;
    QGridLayout* rows_;
};

} // namespace tornavel::ui
