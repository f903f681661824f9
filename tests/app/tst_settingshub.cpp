#include "../support/localservice.h"
#include "modalresponder.h"

#include "analytics.h"
#include "lastfiles.h"
#include "screenshot.h"
#include "serviceapi.h"
#include "session.h"
#include "settings.h"
#include "settingskeys.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QJsonArray>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <X11/keysym.h>

namespace {

void pressGlobally(const QString &keys)
{
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), keys}), 0);
}

Settings *openDialog()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *dialog = qobject_cast<Settings *>(window); dialog && dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

QString quitText(const Screenshot &window)
{
    const QList<QAction *> actions = window.trayContextMenu()->actions();
    return actions.last()->text();
}

QAction *trayAction(const Screenshot &window, const QString &text)
{
    const QList<QAction *> actions = window.trayContextMenu()->actions();
    const auto found = std::find_if(actions.begin(), actions.end(),
                                    [&text](QAction *action) { return action->text() == text; });
    return found == actions.end() ? nullptr : *found;
}

template <typename Window> Window *openWindow()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *found = qobject_cast<Window *>(window); found && found->isVisible())
            return found;
    }
    return nullptr;
}

} // namespace

// The main window with its settings dialog under Xvfb: the global hot keys around the dialog and
// the language switch.
class SettingsHubTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(collector.listen());
        collector.setScript([](const RecordedRequest &) { return ScriptedReply::raw(""); });
        Analytics::setCollectBaseUrl(collector.baseUrl());
        QVERIFY(service.listen());
        ServiceApi::setApiBaseUrl(service.baseUrl());
        service.setScript([](const RecordedRequest &request) {
            const QJsonArray photos{QJsonObject{{"id", "7"}, {"link", "https://l/7"}}};
            if (request.path == "/get_last_user_files.php")
                return ScriptedReply::json({{"success", "true"}, {"photos", photos}});
            return ScriptedReply::json({});
        });
    }
    void cleanup() { settingsStore().clear(); }

    void hotKeysAreReleasedWhileTheDialogIsOpen()
    {
        Screenshot window;
        window.setDesktopGrabber([] {
            QPixmap desktop(200, 100);
            desktop.fill(Qt::green);
            return desktop;
        });
        window.openSettings();
        Settings *dialog = openDialog();
        QVERIFY(dialog);
        pressGlobally(QStringLiteral("ctrl+Print"));
        QTest::qWait(300);
        QVERIFY(!window.isVisible());

        auto *button = dialog->findChild<QPushButton *>("bt_fullHot");
        QTest::mouseClick(button, Qt::LeftButton);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_F9, Qt::ControlModifier, 75, XK_F9, 0);
        QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget()
                                                            : dialog->findChild<QLineEdit *>(),
                                &press);
        QCOMPARE(settingsStore().value(SettingsKeys::FullScreenCapture).toString(),
                 QStringLiteral("Ctrl+F9"));
        dialog->close();
        QVERIFY(!openDialog());

        pressGlobally(QStringLiteral("ctrl+Print"));
        QTest::qWait(300);
        QVERIFY(!window.isVisible());
        pressGlobally(QStringLiteral("ctrl+F9"));
        QTRY_VERIFY(window.isVisible());
    }

    void theEditorTakesNoClicksWhileTheDialogIsOpen()
    {
        Screenshot window;
        window.openEditor();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *arrow = window.findChild<QToolButton *>("bt_tool_arrow");
        const auto clickArrow = [&window, arrow] {
            QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {},
                              arrow->mapTo(&window, arrow->rect().center()));
        };
        window.openSettings();
        Settings *dialog = openDialog();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        clickArrow();
        QVERIFY(!arrow->isChecked());

        dialog->close();
        clickArrow();
        QVERIFY(arrow->isChecked());
    }

    void switchingLanguageRetranslatesOpenWindows()
    {
        Screenshot window;
        const auto cropTip = [&window] {
            return window.findChild<QToolButton *>("bt_crop")->toolTip();
        };
        QCOMPARE(quitText(window), QStringLiteral("&Quit"));
        settingsStore().setValue(SettingsKeys::LanguageFile, "German.de.qm");
        window.changeLang();
        window.changeLang();
        QTRY_COMPARE(quitText(window), QStringLiteral("Be&enden"));
        QVERIFY(cropTip().contains(QStringLiteral("Zuschneiden")));

        // Only the one run-time translator was installed: removing it brings the source texts.
        settingsStore().setValue(SettingsKeys::LanguageFile, "Klingon.kl.qm");
        window.changeLang();
        QTRY_COMPARE(quitText(window), QStringLiteral("&Quit"));
        QVERIFY(cropTip().contains(QStringLiteral("Crop")));
    }

    // The tray still answers on hosts that do not honour modal windows; a window it closes while
    // that window's own question is open must not be used afterwards. The answer still counts.
    void filesWindowClosedUnderItsQuestion()
    {
        Session::storeLogin(QStringLiteral("tok"), QStringLiteral("42"));
        Screenshot window;
        window.openAllFiles();
        auto *files = openWindow<LastFiles>();
        QVERIFY(files);
        QTRY_VERIFY(files->findChild<QFrame *>(QStringLiteral("FileItem7")));
        QAction *settings = trayAction(window, QStringLiteral("&Settings"));
        QVERIFY(settings);
        ModalResponder responder({[settings](QWidget *box) {
            settings->trigger();
            // The closed window goes while the question still waits for its answer.
            QTest::qWait(200);
            qobject_cast<QMessageBox *>(box)->button(QMessageBox::Yes)->click();
        }});
        QPushButton *remove = nullptr;
        for (QPushButton *button : files->findChildren<QPushButton *>()) {
            if (button->text() == QLatin1String("Remove"))
                remove = button;
        }
        QVERIFY(remove);
        // From the event loop, as a click comes: the button is gone when the question returns.
        QTimer::singleShot(0, remove, &QPushButton::click);
        QTRY_VERIFY(responder.finished());
        const auto removals = [this] {
            const QList<RecordedRequest> requests = service.requests();
            return std::count_if(requests.begin(), requests.end(), [](const RecordedRequest &r) {
                return r.path == "/delete_user_files.php" && r.query.endsWith("&file_id=7");
            });
        };
        QTRY_COMPARE(removals(), 1);
        QVERIFY(!openWindow<LastFiles>());
        Settings *dialog = openDialog();
        QVERIFY(dialog);
        dialog->close();
    }

    void settingsClosedUnderTheirFileDialog()
    {
        Session::storeLogin(QStringLiteral("tok"), QStringLiteral("42"));
        Screenshot window;
        window.openSettings();
        Settings *dialog = openDialog();
        QVERIFY(dialog);
        QAction *allFiles = trayAction(window, QStringLiteral("&All my files / My account"));
        QVERIFY(allFiles);
        ModalResponder responder({[allFiles](QWidget *) { allFiles->trigger(); }});
        QTimer::singleShot(0, dialog->findChild<QPushButton *>("bt_choose_editor"),
                           &QPushButton::click);
        QTRY_VERIFY(responder.finished());
        QTRY_VERIFY(openWindow<LastFiles>());
        QTRY_VERIFY(!openDialog());
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QVERIFY(settingsStore().value(SettingsKeys::ExternalEditor).toString().isEmpty());
        delete openWindow<LastFiles>();
    }

    void theWindowReportsItsUsage()
    {
        QTest::qWait(300); // events of the windows before this test still arrive
        const int before = collector.requestCount();
        Screenshot window;
        window.openSettings();
        settingsStore().setValue(SettingsKeys::Language, "de");
        window.changeLang();
        QTRY_COMPARE(collector.requestCount(), before + 3);
        QStringList reported;
        for (const RecordedRequest &request : collector.requests().mid(before)) {
            const QJsonObject event = QJsonDocument::fromJson(request.body)
                                          .object()["events"]
                                          .toArray()
                                          .first()
                                          .toObject();
            const QJsonObject params = event["params"].toObject();
            reported << event["name"].toString() + ' ' + params["event_category"].toString() + ' ' +
                            params["event_action"].toString() + ' ' +
                            params["event_label"].toString();
        }
        reported.sort();
        QCOMPARE(reported, (QStringList{"quorvel_action Languages changeLang de",
                                        "quorvel_action OpenWindow Settings ", "screen_view   "}));
    }

private:
    LocalService collector;
    LocalService service;
};

QTEST_MAIN(SettingsHubTest)
#include "tst_settingshub.moc"
