#include "settings.h"
#include "ui_settings.h"

#include "autostart.h"
#include "browser.h"
#include "hookkeybord.h"
#include "layoutkey.h"
#include "loginform.h"
#include "plainmessage.h"
#include "serviceapi.h"
#include "servicepicture.h"
#include "session.h"
#include "settingskeys.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QKeyEvent>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSettings>
#include <QWindow>

namespace {

const char PlaceholderPhoto[] = ":/svg/svg/black302.svg";

struct HotkeyRow
{
    const char *button;
    const char *setting;
    const char *fallback;
};
const HotkeyRow hotkeyRows[] = {
    {"bt_regionHot", SettingsKeys::RegionCapture, SettingsKeys::RegionCaptureDefault},
    {"bt_fullHot", SettingsKeys::FullScreenCapture, SettingsKeys::FullScreenCaptureDefault},
    {"bt_ocrHot", SettingsKeys::OcrScan, SettingsKeys::OcrScanDefault},
};

bool isLoneModifierOrUnknown(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_AltGr:
    case Qt::Key_unknown:
        return true;
    default:
        return false;
    }
}

QStringList languageFiles()
{
    const QStringList filter{QStringLiteral("*.qm")};
    const QStringList local =
        QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/languages"))
            .entryList(filter, QDir::Files, QDir::NoSort);
    if (!local.isEmpty())
        return local;
    return QDir(QStringLiteral(":/i18n")).entryList(filter, QDir::Files, QDir::NoSort);
}

} // namespace

Settings::Settings(QWidget *parent)
    : QWidget(parent), ui(new Ui::Settings), keyCatcher(new QLineEdit(this)),
      settingsStore(new QSettings(SettingsKeys::Organisation, SettingsKeys::Application, this)),
      network(new QNetworkAccessManager(this))
{
    ui->setupUi(this);
    setWindowModality(Qt::ApplicationModal);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);
    resize(530, 196);
    keyCatcher->setReadOnly(true);
    keyCatcher->setGeometry(-300, -300, 10, 10);
    keyCatcher->installEventFilter(this);
    recordingButton = ui->bt_regionHot;

    showHotkeys();
    showAccountButtons(
        settingsStore->value(SettingsKeys::IsAuth, SettingsKeys::IsAuthDefault).toString() ==
        QLatin1String("1"));
    ui->show_loupe->setChecked(
        settingsStore->value(SettingsKeys::ShowLoupe, SettingsKeys::ShowLoupeDefault).toBool());
    ui->start_at_login->setChecked(Autostart::isEnabled());
    fillLanguageList();

    ui->tabWidget->setCurrentIndex(0);
    connect(ui->tabWidget, &QTabWidget::currentChanged, this, &Settings::changeTab);

    ui->selected_editor_icon->hide();
    ui->remove_external_editor->hide();
    const QString editor = settingsStore->value(SettingsKeys::ExternalEditor).toString();
    if (!editor.isEmpty())
        setEditorDisplay(editor);
    reloadUserInfo();
}

Settings::~Settings()
{
    delete ui;
}

void Settings::showAccountTab()
{
    ui->tabWidget->setCurrentWidget(ui->tab_account);
}

void Settings::setModalTo(QWidget *window)
{
    setWindowModality(Qt::WindowModal);
    // The link between the two lives on their native windows; create them if not shown yet.
    window->winId();
    winId();
    windowHandle()->setTransientParent(window->windowHandle());
}

const char *Settings::hotkeySetting(const QPushButton *button)
{
    for (const HotkeyRow &row : hotkeyRows) {
        if (button->objectName() == QLatin1String(row.button))
            return row.setting;
    }
    return nullptr;
}

void Settings::showHotkeys()
{
    for (const HotkeyRow &row : hotkeyRows) {
        const QString stored = settingsStore->value(row.setting, row.fallback).toString();
        findChild<QPushButton *>(QLatin1String(row.button))
            ->setText(QKeySequence(stored, QKeySequence::PortableText)
                          .toString(QKeySequence::NativeText));
    }
}

void Settings::fillLanguageList()
{
    ui->lang_list->clear();
    const QStringList files = languageFiles();
    for (const QString &file : files) {
        const QString tail = file.right(5);
        ui->lang_list->addItem(file.section(QLatin1Char('.'), 0, 0),
                               tail.section(QLatin1Char('.'), 0, 0));
    }
    if (files.isEmpty())
        ui->lang_list->addItem(tr("Default"));
    const QString chosen =
        settingsStore->value(SettingsKeys::LanguageFile, SettingsKeys::LanguageFileDefault)
            .toString()
            .section(QLatin1Char('.'), 0, 0);
    const int index = ui->lang_list->findText(chosen);
    if (index >= 0)
        ui->lang_list->setCurrentIndex(index);
}

void Settings::on_bt_regionHot_clicked()
{
    startRecording(ui->bt_regionHot);
}

void Settings::on_bt_fullHot_clicked()
{
    startRecording(ui->bt_fullHot);
}

void Settings::on_bt_ocrHot_clicked()
{
    startRecording(ui->bt_ocrHot);
}

void Settings::startRecording(QPushButton *button)
{
    for (QPushButton *other : {ui->bt_regionHot, ui->bt_fullHot, ui->bt_ocrHot}) {
        if (other != button)
            other->setChecked(false);
    }
    recordingButton = button;
    keyCatcher->setFocus();
    HookKeybord::instance()->install();
    connect(HookKeybord::instance(), &HookKeybord::keyPress, this, &Settings::processKey,
            Qt::UniqueConnection);
}

void Settings::finishRecording(const QString &portableText)
{
    HookKeybord::instance()->uninstall();
    disconnect(HookKeybord::instance(), &HookKeybord::keyPress, this, &Settings::processKey);
    recordingButton->setChecked(false);
    settingsStore->setValue(hotkeySetting(recordingButton), portableText);
}

bool Settings::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != keyCatcher || !recordingButton->isChecked() || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto *keyEvent = static_cast<QKeyEvent *>(event);
    int key = keyEvent->key();
    if (key == Qt::Key_Escape || key == Qt::Key_Backspace || key == Qt::Key_Delete) {
        recordingButton->setText(QString());
        finishRecording(QString());
        return true;
    }
    if (isLoneModifierOrUnknown(key))
        return true;
    const quint32 virtualKey = layoutIndependentVirtualKey(*keyEvent);
    if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z'))
        key = int(virtualKey);
    if (key == Qt::Key_Tab && keyEvent->modifiers() == Qt::NoModifier)
        return false;
    keyEvent->accept();
    processKey(key, keyEvent->modifiers());
    return false;
}

void Settings::processKey(int key, Qt::KeyboardModifiers mods)
{
    if (isLoneModifierOrUnknown(key))
        return;
    const Qt::KeyboardModifiers kept =
        mods & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier);
    const QKeySequence combination(QKeyCombination(kept, Qt::Key(key)));
    recordingButton->setText(combination.toString(QKeySequence::NativeText));
    if (QKeySequence(key).toString(QKeySequence::PortableText).isEmpty())
        return;
    finishRecording(combination.toString(QKeySequence::PortableText));
}

void Settings::on_lang_list_activated(int index)
{
    const QString name = ui->lang_list->itemText(index);
    const QString code = ui->lang_list->itemData(index).toString();
    settingsStore->setValue(SettingsKeys::LanguageFile, QStringLiteral("%1.%2.qm").arg(name, code));
    settingsStore->setValue(SettingsKeys::Language, code);
    emit changeLang();
}

void Settings::on_bt_choose_editor_clicked()
{
    // Not run in an event loop of its own: the tray may close this dialog while the file dialog
    // is open, and the file dialog then simply goes with it.
    auto *dialog = new QFileDialog(this, tr("Choose image editor"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::ExistingFile);
    connect(dialog, &QFileDialog::fileSelected, this, &Settings::chooseEditor);
    dialog->open();
}

void Settings::chooseEditor(const QString &path)
{
    if (path.isEmpty())
        return;
    settingsStore->setValue(SettingsKeys::ExternalEditor, path);
    setEditorDisplay(path);
}

void Settings::on_remove_external_editor_clicked()
{
    settingsStore->setValue(SettingsKeys::ExternalEditor, QString());
    ui->selected_program->setText(tr("Editor not selected"));
    ui->selected_editor_icon->hide();
    ui->remove_external_editor->hide();
}

void Settings::setEditorDisplay(const QString &path)
{
    ui->selected_program->setText(path.section(QLatin1Char('/'), -1));
    ui->selected_editor_icon->setPixmap(
        QFileIconProvider().icon(QFileInfo(path)).pixmap(QSize(16, 16)));
    ui->selected_editor_icon->show();
    ui->remove_external_editor->show();
}

void Settings::on_show_loupe_clicked(bool checked)
{
    settingsStore->setValue(SettingsKeys::ShowLoupe, checked);
}

void Settings::on_start_at_login_clicked(bool checked)
{
    if (Autostart::setEnabled(checked, QCoreApplication::applicationFilePath()))
        return;
    ui->start_at_login->setChecked(Autostart::isEnabled());
    // Without parent, so that closing this dialog meanwhile cannot take the box with it.
    showPlainMessage(tr("Cannot change the autostart entry %1.").arg(Autostart::entryPath()));
}

void Settings::on_bt_login_clicked()
{
    loginForm = new LoginForm;
    connect(loginForm, &LoginForm::authSuccessful, this, &Settings::reloadUserInfo);
    loginForm->show();
}

void Settings::on_bt_register_clicked()
{
    const QString code = ui->lang_list->currentData().toString();
    const QString page = code == QLatin1String("ru")
                             ? QStringLiteral("/users/register/")
                             : QLatin1Char('/') + code + QStringLiteral("/users/register/");
    Browser::open(QUrl(QStringLiteral("https://") + ServiceApi::siteHost() + page));
}

void Settings::showAccountButtons(bool loggedIn)
{
    ui->bt_login->setVisible(!loggedIn);
    ui->bt_register->setVisible(!loggedIn);
    ui->bt_logout->setVisible(loggedIn);
}

void Settings::showLoggedOut()
{
    ui->user_name->setText(tr("You are not logined"));
    ui->user_info->setText(tr("To take full advantage of the program, please log in."));
}

void Settings::on_bt_logout_clicked()
{
    ui->user_icon->setPixmap(QPixmap(QLatin1String(PlaceholderPhoto)));
    showLoggedOut();
    showAccountButtons(false);
    dropAccountRequest();
    Session::logout();
}

void Settings::reloadUserInfo()
{
    raise();
    activateWindow();
    if (settingsStore->value(SettingsKeys::Token).toString().isEmpty())
        return;
    requestAccount(ServiceApi::userInfoUrl(), &Settings::reloadUserInfoFinished,
                   ServiceApi::MaxReplyBytes);
    ui->user_icon->setPixmap(QPixmap(QLatin1String(PlaceholderPhoto)));
    ui->user_name->setText(tr("Loading..."));
    ui->user_info->setText(tr("Loading..."));
}

void Settings::reloadUserInfoFinished(QNetworkReply *reply)
{
    reply->deleteLater();
    if (reply->error() != QNetworkReply::NoError) {
        showLoggedOut();
        ui->bt_login->show();
        ui->bt_logout->hide();
        qWarning().noquote() << "Load user info failed:" << ServiceApi::errorText(reply);
        return;
    }
    const QJsonObject answer = ServiceApi::parseReply(reply->readAll());
    if (!ServiceApi::isSuccess(answer)) {
        showLoggedOut();
        showAccountButtons(false);
        return;
    }
    const QUrl photo(ServiceApi::text(answer, QStringLiteral("photo")), QUrl::TolerantMode);
    if (ServiceApi::isWebUrl(photo))
        requestAccount(photo, &Settings::loadedUserPhoto, ServicePicture::MaxBytes);
    ui->user_name->setText(ServiceApi::text(answer, QStringLiteral("username")));
    ui->user_info->setText(ServiceApi::text(answer, QStringLiteral("userinfo")));
    showAccountButtons(true);
}

void Settings::loadedUserPhoto(QNetworkReply *reply)
{
    reply->deleteLater();
    if (reply->error() != QNetworkReply::NoError)
        return;
    const QImage photo = ServicePicture::decode(reply->readAll());
    if (!photo.isNull())
        ui->user_icon->setPixmap(QPixmap::fromImage(photo));
}

void Settings::requestAccount(const QUrl &url, void (Settings::*receiver)(QNetworkReply *),
                              qint64 maxBytes)
{
    dropAccountRequest();
    QNetworkReply *reply = ServiceApi::get(network, url, maxBytes);
    accountReply = reply;
    connect(reply, &QNetworkReply::finished, this, [this, reply, receiver] {
        if (accountReply == reply)
            accountReply = nullptr;
        (this->*receiver)(reply);
    });
}

void Settings::dropAccountRequest()
{
    if (!accountReply)
        return;
    accountReply->disconnect(this);
    accountReply->abort();
    accountReply->deleteLater();
}

void Settings::changeTab(int index)
{
    for (int i = 0; i < ui->tabWidget->count(); ++i) {
        if (i != index)
            ui->tabWidget->widget(i)->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    }
    QWidget *page = ui->tabWidget->widget(index);
    page->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    page->resize(page->sizeHint());
    page->adjustSize();
    resize(sizeHint());
    adjustSize();
}

void Settings::closeEvent(QCloseEvent *event)
{
    hide();
    emit closeSettings();
    event->ignore();
}

void Settings::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        reloadUserInfo();
        showHotkeys();
        const QString editor = settingsStore->value(SettingsKeys::ExternalEditor).toString();
        if (!editor.isEmpty())
            setEditorDisplay(editor);
    }
    QWidget::changeEvent(event);
}
