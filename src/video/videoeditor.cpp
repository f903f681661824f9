#include "videoeditor.h"

#include "buttonicon.h"
#include "videoannotation.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

const char *const toolbarStyle =
    "#videoEditorToolbar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #383838, "
    "stop:1 #151515); border:1px solid #353535; border-radius:5px; }"
    "#videoEditorToolbar QPushButton[tool=\"true\"] { background: transparent; border: none; "
    "padding: 2px; }"
    "#videoEditorToolbar QFrame[separator=\"true\"] { background: #4a4a4a; border: none; }"
    "#videoEditorToolbar #playWidget { background: transparent; }"
    "#videoEditorToolbar #playWidget QPushButton, #videoEditorToolbar #bt_close { color: #f0f0f0; "
    "background-color: #3c3c3c; border: 1px solid #555; border-radius: 3px; padding: 0px 8px; "
    "min-height: 24px; }"
    "#videoEditorToolbar #playWidget QPushButton:hover, #videoEditorToolbar #bt_close:hover { "
    "background-color: #4a4a4a; }"
    "#videoEditorToolbar #playWidget QPushButton:disabled, #videoEditorToolbar "
    "#bt_close:disabled { color: #888; }";

const char *const swatchStyle =
    "QPushButton:hover { border-color: grey; }QPushButton { border-style: outset; border-width: "
    "2px; border-radius: 10px; border-color: beige; width: 20px; height: 20px; padding: 5px; "
    "background-color: %1; }";

// In the order of the annotation kinds.
struct ToolPicture
{
    const char *name;
    const char *picture;
};

const ToolPicture toolPictures[] = {
    {"bt_tool_arrow_video", "arrow"},
    {"bt_tool_rectangle_video", "font2"},
    {"bt_tool_blur_video", "blur"},
    {"bt_tool_text_video", "write56"},
};

constexpr int toolButtonSize = 34;

QFrame *separator(const char *name)
{
    auto *line = new QFrame;
    line->setObjectName(QLatin1String(name));
    line->setProperty("separator", true);
    line->setFixedSize(1, 26);
    return line;
}

} // namespace

VideoEditor::VideoEditor(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      column(new QVBoxLayout(this)), bar(new QWidget), barLayout(new QHBoxLayout(bar)),
      swatch(new QPushButton)
{
    setStyleSheet(QStringLiteral("QWidget { background-color: #000000; }"));
    setMinimumSize(520, 360);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    buildToolbar();
    retranslateUi();
}

void VideoEditor::buildToolbar()
{
    bar->setObjectName(QStringLiteral("videoEditorToolbar"));
    bar->setAttribute(Qt::WA_StyledBackground);
    bar->setStyleSheet(QLatin1String(toolbarStyle));
    barLayout->setContentsMargins(8, 5, 8, 5);
    bar->setFixedHeight(toolButtonSize + 10);
    barLayout->setSpacing(6);
    for (const ToolPicture &tool : toolPictures) {
        auto *button = new QPushButton;
        button->setObjectName(QLatin1String(tool.name));
        button->setProperty("tool", true);
        button->setCheckable(true);
        button->setIcon(buttonIcon(QLatin1String(tool.picture)));
        button->setIconSize(QSize(28, 28));
        button->setFixedSize(toolButtonSize, toolButtonSize);
        button->setFocusPolicy(Qt::NoFocus);
        barLayout->addWidget(button);
        tools.append(button);
    }
    barLayout->addSpacing(4);
    barLayout->addWidget(separator("videoToolSeparator"));
    barLayout->addSpacing(4);
    swatch->setObjectName(QStringLiteral("bt_color_video"));
    swatch->setFocusPolicy(Qt::NoFocus);
    connect(swatch, &QPushButton::clicked, this, &VideoEditor::colorClicked);
    barLayout->addWidget(swatch);
    barLayout->addSpacing(4);
    barLayout->addWidget(separator("videoSaveSeparator"));
    barLayout->addSpacing(4);
    barLayout->addStretch(1);
    showColor(QColor(255, 60, 60));
}

void VideoEditor::host(QWidget *frameView, QWidget *timeline, QWidget *playButtons,
                       QWidget *closeButton)
{
    column->addWidget(frameView, 1);
    column->addWidget(timeline);
    column->addWidget(bar);
    barLayout->addWidget(playButtons);
    barLayout->addWidget(closeButton);
    // As tall as the player's buttons beside it, not the bar's small size.
    closeButton->setFixedSize(28, 26);
    playButtons->show();
    closeButton->show();
}

void VideoEditor::retranslateUi()
{
    setWindowTitle(tr("Video editor"));
    tools.at(VideoAnnotation::Arrow)->setToolTip(tr("Draw arrow"));
    tools.at(VideoAnnotation::Rectangle)->setToolTip(tr("Draw rectangle"));
    tools.at(VideoAnnotation::Blur)->setToolTip(tr("Blur area"));
    tools.at(VideoAnnotation::Text)->setToolTip(tr("Add text"));
    swatch->setToolTip(tr("Choose color"));
}

QPushButton *VideoEditor::toolButton(int kind) const
{
    return tools.value(kind);
}

void VideoEditor::showColor(const QColor &color)
{
    swatch->setStyleSheet(QString::fromLatin1(swatchStyle).arg(color.name()));
}

void VideoEditor::showTool(int kind, bool checked)
{
    for (QPushButton *button : std::as_const(tools)) {
        const QSignalBlocker blocker(button);
        button->setChecked(checked && button == toolButton(kind));
    }
}

void VideoEditor::closeEvent(QCloseEvent *event)
{
    emit editorClosed();
    QWidget::closeEvent(event);
}
