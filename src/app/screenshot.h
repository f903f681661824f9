#pragma once

#include <QPointer>
#include <QSystemTrayIcon>
#include <QWidget>

class QAction;
class QMenu;
class QTranslator;

namespace Ui {
class Screenshot;
}

// The hub of the program: tray owner, editor window and receiver of every capture, tool and dialog
// action. It keeps the wiring and forwards the work to the classes of the subsystems.
class Screenshot : public QWidget
{
    Q_OBJECT

public:
    explicit Screenshot(QWidget *parent = nullptr);
    ~Screenshot() override;

    QMenu *trayContextMenu() const { return trayMenu; }
    QSystemTrayIcon *systemTrayIcon() const { return trayIcon; }

public slots:
    void requestAnalyticsView(const QString &event);
    void receiveAnalyticsView();

    void clickCaptureRegion();
    void clickCapture();
    void clickVideoCapture();
    void openRuler();
    void openQrScanner();
    void openOcrScanner();
    void openEditor();
    void sendAnyFile();
    void openAllFiles();
    void openSettings();
    void openFile();
    void closeSettings();
    void changeLang();
    void lastFilesCloseWindow();
    void uploadDone();
    void uploadFileDone();
    void hideAppIcon();
    void showAppIcon();

    void clickCrop();
    void clickUndo();
    void clickRedo();
    void clickColor();
    void clickSave();

private slots:
    void trayIconLeftClick(QSystemTrayIcon::ActivationReason reason);

    void on_bt_tool_arrow_clicked();
    void on_bt_tool_line_clicked();
    void on_bt_tool_square_clicked();
    void on_bt_tool_text_clicked();
    void on_bt_tool_blur_clicked();
    void on_bt_add_picture_clicked();
    void on_horizontalSlider_valueChanged(int value);
    void on_horizontalSlider_sliderReleased();
    void on_bt_size_minus_clicked();
    void on_bt_size_plus_clicked();
    void on_bt_copy_clicked();
    void on_bt_external_editor_clicked();
    void on_bt_upload_clicked();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void createActions();
    void createTrayIcon();
    void setUpForm();
    void retranslateTrayMenu();

    Ui::Screenshot *ui = nullptr;
    QTranslator *translator = nullptr;
    QSystemTrayIcon *trayIcon = nullptr;
    QMenu *trayMenu = nullptr;
    QMenu *toolsMenu = nullptr;

    QAction *captureRegionAction = nullptr;
    QAction *captureFullScreenAction = nullptr;
    QAction *captureVideoAction = nullptr;
    QAction *toolsAction = nullptr;
    QAction *rulerAction = nullptr;
    QAction *qrScannerAction = nullptr;
    QAction *ocrScannerAction = nullptr;
    QAction *openEditorAction = nullptr;
    QAction *sendAnyFileAction = nullptr;
    QAction *allFilesAction = nullptr;
    QAction *openImageFileAction = nullptr;
    QAction *settingsAction = nullptr;
    QAction *quitAction = nullptr;

    bool captureBusy = false;
    bool settingsOpen = false;
    int activeUploads = 0;
};
