#pragma once

#include <QMap>
#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;

// The recorder's settings: one button per format, one per frame rate, and "Highlight clicks".
// It only reports choices; the recorder stores them and writes every text, as the button texts
// depend on both choices at once.
class RecorderSettingsPopup : public QWidget
{
    Q_OBJECT

public:
    explicit RecorderSettingsPopup(QWidget *parent = nullptr);

    static QStringList formats();
    static QStringList framerates();

    QPushButton *formatButton(const QString &format) const { return formatButtons.value(format); }
    QPushButton *framerateButton(const QString &framerate) const
    {
        return framerateButtons.value(framerate);
    }
    QCheckBox *highlightBox() const { return highlight; }

    // Checks the buttons of the current choices without reporting them.
    void showChoices(const QString &format, const QString &framerate, bool highlightClicks);
    // The texts are the recorder's, translated in its context.
    void setCaptions(const QString &format, const QString &framerate, const QString &highlightText);

signals:
    void formatChosen(const QString &format);
    void framerateChosen(const QString &framerate);
    void highlightToggled(bool on);

private:
    QPushButton *choiceButton(const QString &value);

    QLabel *formatLabel = nullptr;
    QLabel *framerateLabel = nullptr;
    QMap<QString, QPushButton *> formatButtons;
    QMap<QString, QPushButton *> framerateButtons;
    QCheckBox *highlight = nullptr;
};
