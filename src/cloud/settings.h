#pragma once

#include <QPointer>
#include <QWidget>

class LoginForm;
class QLineEdit;
class QNetworkAccessManager;
class QNetworkReply;
class QPushButton;
class QSettings;

namespace Ui {
class Settings;
}

// The settings dialog: external editor, language, loupe, the three global hot keys and the
// account. Values go straight into the settings store; the main window reacts to the signals.
class Settings : public QWidget
{
    Q_OBJECT

public:
    explicit Settings(QWidget *parent = nullptr);
    ~Settings() override;

    bool eventFilter(QObject *watched, QEvent *event) override;
    void showAccountTab();
    // Blocks only this window instead of the whole program, so that the program's other windows,
    // its tray icon among them on X11, still take clicks while the dialog is open.
    void setModalTo(QWidget *window);

    // The hot-key setting a recording button writes to.
    static const char *hotkeySetting(const QPushButton *button);

signals:
    void closeSettings();
    void changeLang();

public slots:
    void on_bt_regionHot_clicked();
    void on_bt_fullHot_clicked();
    void on_bt_ocrHot_clicked();
    void on_bt_login_clicked();
    void on_bt_logout_clicked();
    void on_show_loupe_clicked(bool checked);
    void on_start_at_login_clicked(bool checked);
    void reloadUserInfo();
    void reloadUserInfoFinished(QNetworkReply *reply);
    void loadedUserPhoto(QNetworkReply *reply);
    void on_lang_list_activated(int index);
    void on_bt_choose_editor_clicked();
    void on_remove_external_editor_clicked();
    void on_bt_register_clicked();
    void processKey(int key, Qt::KeyboardModifiers mods);
    void changeTab(int index);

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void showHotkeys();
    void fillLanguageList();
    void startRecording(QPushButton *button);
    void finishRecording(const QString &portableText);
    void setEditorDisplay(const QString &path);
    void showLoggedOut();
    void showAccountButtons(bool loggedIn);
    void chooseEditor(const QString &path);
    // One account request at a time: the user info, then the photo it names. A newer request or
    // a logout drops the one running, so that a late reply cannot show a session that is over.
    void requestAccount(const QUrl &url, void (Settings::*receiver)(QNetworkReply *),
                        qint64 maxBytes);
    void dropAccountRequest();

    Ui::Settings *ui;
    QPushButton *recordingButton;
    QLineEdit *keyCatcher;
    QPointer<LoginForm> loginForm;
    QSettings *settingsStore;
    QNetworkAccessManager *network;
    QPointer<QNetworkReply> accountReply;
};
