#include "ui/mainwindow/SigningDialog.h"

#include "ui/MessageBoxes.h"
#include "ui/controls/Cp1250Validator.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tornavel::ui {
namespace {

QLineEdit* makeBox(const char* objectName) {
    auto* box = new QLineEdit;
    box->setObjectName(QLatin1String(objectName));
    box->setValidator(new Cp1250Validator(box));
    box->setMinimumWidth(320);
    return box;
}

} // namespace

SigningDialog::SigningDialog(SettingsLocation settings, QWidget* parent)
    : QDialog(parent), settings_(std::move(settings)) {
    setObjectName(QStringLiteral("Podepisovani"));
    setWindowTitle(QStringLiteral("Podepisování instalace"));

    sign_ = new QCheckBox(QStringLiteral("&Podepisovat instalační a odinstalační program"));
    sign_->setObjectName(QStringLiteral("Podepisovat"));
    rows_ = new QGridLayout;
    certificate_ = addFileRow(
        QStringLiteral("&Certifikát (PKCS#12 nebo PEM):"), QStringLiteral("Certifikát pro podpis"),
        QStringLiteral("Certifikáty (*.p12 *.pfx *.pem *.crt *.cer)"), "Certifikat");
    key_ = addFileRow(QStringLiteral("Soukromý &klíč (PEM, je-li zvlášť):"),
                      QStringLiteral("Soukromý klíč k certifikátu"),
                      QStringLiteral("Klíče (*.pem *.key)"), "Klic");
    passwordFile_ =
        addFileRow(QStringLiteral("Soubor s &heslem:"), QStringLiteral("Soubor s heslem ke klíči"),
                   QStringLiteral("Všechny soubory (*)"), "SouborSHeslem");
    timestamp_ = makeBox("CasoveRazitko");
    timestamp_->setPlaceholderText(QStringLiteral("http://…"));
    const int row = rows_->rowCount();
    auto* timestampLabel = new QLabel(QStringLiteral("&Server časových razítek:"));
    timestampLabel->setBuddy(timestamp_);
    rows_->addWidget(timestampLabel, row, 0);
    rows_->addWidget(timestamp_, row, 1);

    auto* note = new QLabel(QStringLiteral(
        "Heslo se nikam neukládá: zadejte soubor, jehož první řádek je heslo, nebo heslo "
        "nastavte v proměnné prostředí TORNAVEL_SIGN_PASSWORD. Podepisuje se programem "
        "osslsigncode."));
    note->setWordWrap(true);

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)
        ->setObjectName(QStringLiteral("Button1"));
    buttons->addButton(QStringLiteral("Storno"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("Button2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &SigningDialog::confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(sign_, &QCheckBox::toggled, this, &SigningDialog::applyEnabling);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sign_);
    layout->addLayout(rows_);
    layout->addWidget(note);
    layout->addWidget(buttons);
}

QLineEdit* SigningDialog::addFileRow(const QString& label, const QString& dialogTitle,
                                     const QString& filter, const char* objectName) {
    QLineEdit* box = makeBox(objectName);
    auto* choose = new QPushButton(QStringLiteral("..."));
    choose->setObjectName(QLatin1String(objectName) + QStringLiteral("Vyber"));
    connect(choose, &QPushButton::clicked, this, [this, box, dialogTitle, filter] {
        MessageBoxes::FileDialogOptions options;
        options.title = dialogTitle;
        options.filter = filter;
        options.initialFileName = box->text();
        const QString chosen = MessageBoxes::openFileName(this, options);
        if (!chosen.isEmpty()) {
            box->setText(chosen);
        }
    });
    const int row = rows_->rowCount();
    auto* caption = new QLabel(label);
    caption->setBuddy(box); // its mnemonic reaches the box
    rows_->addWidget(caption, row, 0);
    rows_->addWidget(box, row, 1);
    rows_->addWidget(choose, row, 2);
    return box;
}

int SigningDialog::exec() {
    runGuarded(this, [this] { shown_ = ReadPublishingSettings(settings_); });
    sign_->setChecked(shown_.sign);
    certificate_->setText(QString::fromStdString(shown_.certificate));
    key_->setText(QString::fromStdString(shown_.key));
    passwordFile_->setText(QString::fromStdString(shown_.passwordFile));
    timestamp_->setText(QString::fromStdString(shown_.timestampUrl));
    applyEnabling();
    return QDialog::exec();
}

void SigningDialog::applyEnabling() {
    for (QLineEdit* box : {certificate_, key_, passwordFile_, timestamp_}) {
        box->setEnabled(sign_->isChecked());
    }
}

void SigningDialog::confirm() {
    if (sign_->isChecked() && certificate_->text().trimmed().isEmpty()) {
        MessageBoxes::plain(this, QStringLiteral("Zadejte soubor s certifikátem pro podpis."));
        certificate_->setFocus();
        return;
    }
    PublishingSettings settings = shown_;
    settings.sign = sign_->isChecked();
    settings.certificate = certificate_->text().toStdString();
    settings.key = key_->text().toStdString();
    settings.passwordFile = passwordFile_->text().toStdString();
    settings.timestampUrl = timestamp_->text().trimmed().toStdString();
    if (runGuarded(this, [&] { WritePublishingSettings(settings_, settings); })) {
        accept();
    }
}

} // namespace tornavel::ui
