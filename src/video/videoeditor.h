#pragma once

#include <QColor>
#include <QWidget>

class QHBoxLayout;
class QPushButton;
class QVBoxLayout;

// The window of the video editor: the frame view, the timeline under it and the toolbar. It only
// hosts them; the recorder owns the recording and does the editing.
class VideoEditor : public QWidget
{
    Q_OBJECT

public:
    explicit VideoEditor(QWidget *parent = nullptr);

    // The widgets of the recorder it shows, top to bottom; the player's buttons and the close
    // button go to the right end of the toolbar.
    void host(QWidget *frameView, QWidget *timeline, QWidget *playButtons, QWidget *closeButton);

    QWidget *toolbar() const { return bar; }
    QPushButton *toolButton(int kind) const;
    QPushButton *colorButton() const { return swatch; }
    void showColor(const QColor &color);
    // Checks the tool's button and unchecks the others, without signals.
    void showTool(int kind, bool checked);

signals:
    void editorClosed();
    void colorClicked();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildToolbar();
    void retranslateUi();

    QVBoxLayout *column;
    QWidget *bar;
    QHBoxLayout *barLayout;
    QList<QPushButton *> tools;
    QPushButton *swatch;
};
