// The hub's side of the desktop actions: what a start of the program asked for, mapped onto the
// same slots the tray menu triggers.

#include "screenshot.h"

#include "notraynotice.h"

#include <QAction>

void Screenshot::performDesktopAction(const DesktopRequest &request)
{
    using Action = DesktopRequest::Action;
    switch (request.action) {
    case Action::Start:
        showRunningNotice();
        break;
    case Action::Region:
        clickCaptureRegion();
        break;
    case Action::Full:
        clickCapture();
        break;
    case Action::Record:
        clickVideoCapture();
        break;
    case Action::Ocr:
        openOcrScanner();
        break;
    case Action::Qr:
        openQrScanner();
        break;
    case Action::Ruler:
        openRuler();
        break;
    case Action::Open:
        if (request.files.isEmpty())
            openFile();
        for (const QString &file : request.files)
            openFile(file);
        break;
    case Action::Settings:
        openSettings();
        break;
    case Action::Quit:
        quitAction->trigger();
        break;
    }
    startedBefore = true;
}

// Without a tray the program would be invisible: the notice is its only face. With one, a plain
// start while already running only says where the program is.
void Screenshot::showRunningNotice()
{
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        if (!noTrayNotice) {
            noTrayNotice = new NoTrayNotice;
            noTrayNotice->setAttribute(Qt::WA_DeleteOnClose);
            connect(noTrayNotice, &NoTrayNotice::quitRequested, quitAction, &QAction::trigger);
        }
        noTrayNotice->show();
        noTrayNotice->raise();
        noTrayNotice->activateWindow();
    } else if (startedBefore) {
        trayIcon->showMessage(tr("Quorvel is running"),
                              tr("Click its icon in the tray to capture the screen."));
    }
}
