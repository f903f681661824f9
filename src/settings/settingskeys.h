#pragma once

// Every key of the persistent store with the default its readers pass. No other file spells a key.

#include <QColor>
#include <QSettings>
#include <QString>

namespace SettingsKeys {

inline constexpr char Organisation[] = "Quorvel";
inline constexpr char Application[] = "Quorvel";

inline constexpr char LanguageFile[] = "language_file";
inline constexpr char LanguageFileDefault[] = "English.en.qm";
inline constexpr char Language[] = "language";
inline constexpr char LanguageDefault[] = "en"; // for readers that send it to the service
inline constexpr char Uuid[] = "uuid";
inline constexpr char Token[] = "token";
inline constexpr char UserId[] = "user_id";
inline constexpr char UserIdDefault[] = "0";
inline constexpr char IsAuth[] = "is_auth";
inline constexpr char IsAuthDefault[] = "0";
inline constexpr char SizeTool[] = "sizeTool";
inline constexpr int SizeToolDefault = 7;
inline constexpr char ColorTool[] = "colorTool";
inline constexpr char ColorToolDefault[] = "red";
inline constexpr char ExternalEditor[] = "external_editor";
inline constexpr char ShowLoupe[] = "showLoupe";
inline constexpr bool ShowLoupeDefault = false;
inline constexpr char RegionCapture[] = "regionCapture";
inline constexpr char RegionCaptureDefault[] = "Print";
inline constexpr char FullScreenCapture[] = "fullScreenCapture";
inline constexpr char FullScreenCaptureDefault[] = "Ctrl+Print";
inline constexpr char OcrScan[] = "ocrScan";
inline constexpr char OcrScanDefault[] = "Ctrl+Alt+3";
inline constexpr char VideoFormat[] = "videoFormat";
inline constexpr char VideoFormatDefault[] = "mp4";
inline constexpr char VideoFramerate[] = "videoFramerate";
inline constexpr char VideoFramerateDefault[] = "25";
inline constexpr char RecordMicrophone[] = "recordMicrophone";
inline constexpr bool RecordMicrophoneDefault = false;
inline constexpr char ShowClickHighlight[] = "showClickHighlight";
inline constexpr bool ShowClickHighlightDefault = true;
inline constexpr char VideoRecorderPosition[] = "videoRecorderPosition";
inline constexpr char VideoRecorderCaptureSize[] = "videoRecorderCaptureSize";
inline constexpr char VideoRecorderSize[] = "videoRecorderSize";
inline constexpr char HorizontalRulerOffset[] = "horizontalRulerOffset";
inline constexpr char VerticalRulerOffset[] = "verticalRulerOffset";
inline constexpr int RulerOffsetDefault = 0;
inline constexpr char RulerMeasurements[] = "rulerMeasurements";
inline constexpr char RulerStartX[] = "startX";
inline constexpr char RulerStartY[] = "startY";
inline constexpr char RulerEndX[] = "endX";
inline constexpr char RulerEndY[] = "endY";

} // namespace SettingsKeys

// The store is opened afresh wherever a value is needed; both names are always passed explicitly.
inline QSettings settingsStore()
{
    return QSettings(SettingsKeys::Organisation, SettingsKeys::Application);
}

// Readers whose conversion has a rule of its own.
int storedToolSize();
QColor storedToolColor();
QString storedLanguageFile();
bool isLoggedIn();

// Creates the installation identifier once, in the braced 38-character form; returns it.
QString ensureInstallationId();
