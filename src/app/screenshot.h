#pragma once

#include "desktoprequest.h"
#include "hotkeyfailurenotice.h"

#include <QPointer>

#include <QSystemTrayIcon>
#include <QWidget>
#include <functional>

class EditorDocument;
class EditorInput;
class LastFiles;
class MainEditor;
class NoTrayNotice;
class QAction;
class SelectRegion;
class Settings;
class QMenu;
class QNetworkAccessManager;
class QNetworkReply;
class QTranslator;
class OcrScanner;
class QrScanner;
class Ruler;
class QxtGlobalShortcut;
enum class ToolKind : int;

namespace ImageFiles {
struct LoadedImage;
}
namespace WindowSizing {
struct Chrome;
}

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
    EditorDocument *editorDocument() const { return document; }
    MainEditor *editorCanvas() const { return canvas; }
    EditorInput *editorInput() const { return input; }

    void resetDocument();

    // Where frozen desktops come from; tests put a known picture behind it.
    using DesktopGrabber = std::function<QPixmap()>;
    void setDesktopGrabber(DesktopGrabber grabber) { grabDesktopImage = std::move(grabber); }

public slots:
    // A desktop action from the command line of this start or of a later one.
    void performDesktopAction(const DesktopRequest &request);

    void requestAnalyticsView(const QString &event);
    void receiveAnalyticsView(QNetworkReply *reply);

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
    void openFile(const QString &path);
    void addPicture(const QPixmap &image);
    void updateExternalEditorButton();
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
    void pasteImage();
    void ToolTextFinished();
    void ToolTextChanged();
    void onCursorPositionChanged();
    void removeSelectedObject();

private slots:
    void trayIconLeftClick(QSystemTrayIcon::ActivationReason reason);
    void shortcutActivated(QxtGlobalShortcut *shortcut);
    void regionSelected(QPoint p1, QPoint p2);
    void regionSelectedAddToMainPic(QPoint p1, QPoint p2);

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
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void createActions();
    void createTrayIcon();
    void setUpForm();
    void retranslateTrayMenu();
    void setUpEditor();
    void setUpInput();
    void checkToolButton(ToolKind kind);
    void updateColorButton();
    QPointF viewportPosition(const QMouseEvent *event) const;
    void updateHistoryButtons();
    void setOutputEnabled(bool enabled);
    void resizeCanvas(bool fromImage);
    void addLoadedImage(const ImageFiles::LoadedImage &loaded);
    void scrollIntoView(const QRect &area);
    WindowSizing::Chrome editorChrome() const;
    void showEditorWindow();
    void fitWindowToScreen();
    void presentEditor();
    void newBlankDocument();
    bool captureRefused();
    // Grabs the desktop and opens a selector on it; false, with nothing opened, when the grab
    // failed.
    bool openRegionSelector(void (Screenshot::*receiver)(QPoint, QPoint));
    QPixmap takeSelection(QPoint p1, QPoint p2);
    void startCapturedDocument(const QPixmap &image);
    // Upload popups stack upwards from the bottom right corner, one row per running upload.
    static QPoint uploadPopupPosition(int row);
    bool handOffUpload(const QString &path, QPoint popupPosition, bool saveCopyOnFailure);
    void startAnalytics();
    void registerHotkeys();
    void unregisterHotkeys();
    void showHotkeyFailure(const QStringList &keys);
    void showRunningNotice();

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

    EditorDocument *document = nullptr;
    MainEditor *canvas = nullptr;
    EditorInput *input = nullptr;

    QNetworkAccessManager *analytics = nullptr;

    DesktopGrabber grabDesktopImage;
    QPointer<SelectRegion> regionSelector;
    // The tool windows have no parent; a pointer clears itself when its window is destroyed.
    QPointer<Ruler> ruler;
    QPointer<QrScanner> qrScanner;
    QPointer<OcrScanner> ocrScanner;
    QPointer<LastFiles> lastFiles;
    QPointer<Settings> settingsDialog;
    QPointer<NoTrayNotice> noTrayNotice;

    QxtGlobalShortcut *regionShortcut = nullptr;
    QxtGlobalShortcut *fullScreenShortcut = nullptr;
    QxtGlobalShortcut *ocrShortcut = nullptr;
    HotkeyFailureNotice hotkeyFailureNotice{
        [this](const QStringList &keys) { showHotkeyFailure(keys); }};

    bool captureBusy = false;
    bool settingsOpen = false;
    int activeUploads = 0;
    bool startedBefore = false;
};
