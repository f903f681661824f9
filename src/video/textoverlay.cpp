#include "textoverlay.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace TextOverlaySizing {

int width(int widestLine, int ox, int viewWidth)
{
    const int limit = std::clamp(viewWidth - ox - 6, 80, 360);
    const int wanted = std::min(widestLine + 18, limit);
    return wanted <= 80 ? 80 : wanted;
}

int height(double documentHeight, int oy, int viewHeight)
{
    const int limit = viewHeight - oy - 4;
    if (limit <= 30)
        return 30;
    return std::clamp(int(std::ceil(documentHeight)) + 12, 30, limit);
}

int textWidth(int width)
{
    return width - 12;
}

} // namespace TextOverlaySizing

namespace {

const char *const overlayStyle =
    "QPlainTextEdit { background:rgba(0,0,0,180); color:%1; border:2px dashed #bdbdbd; "
    "padding:3px; selection-background-color:#4285f4; }";

QPushButton *sizeButton(QWidget *view, const char *name, const QString &text)
{
    auto *button = new QPushButton(text, view);
    button->setObjectName(QLatin1String(name));
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(26, 20);
    button->setStyleSheet(QStringLiteral(
        "QPushButton { color:#f0f0f0; background:#3c3c3c; border:1px solid #555; "
        "border-radius:3px; font-weight:bold; } QPushButton:hover { background:#4a4a4a; }"));
    button->hide();
    return button;
}

} // namespace

TextOverlay::TextOverlay(QWidget *view)
    : QObject(view), view(view), edit(new QPlainTextEdit(view)),
      smaller(sizeButton(view, "bt_text_decrease_video", QStringLiteral("A−"))),
      larger(sizeButton(view, "bt_text_increase_video", QStringLiteral("A+")))
{
    edit->setFrameShape(QFrame::Box);
    edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setCursorWidth(2);
    edit->hide();
    edit->installEventFilter(this);
    edit->viewport()->installEventFilter(this);
    smaller->setToolTip(tr("Decrease text size"));
    larger->setToolTip(tr("Increase text size"));
    setColor(QColor(255, 60, 60));
    applyFont();
    connect(edit, &QPlainTextEdit::textChanged, this, &TextOverlay::fitToText);
    connect(smaller, &QPushButton::clicked, this, [this] { changeSize(-1); });
    connect(larger, &QPushButton::clicked, this, [this] { changeSize(1); });
}

void TextOverlay::open(QPoint textPosition, const QString &text, int pixelSize, double viewScale)
{
    scale = viewScale;
    framePixelSize = std::max(TextOverlaySizing::smallestPixelSize, pixelSize);
    edit->move(std::max(0, textPosition.x() - textInset),
               std::max(0, textPosition.y() - textInset));
    edit->setPlainText(text);
    applyFont();
    edit->show();
    edit->raise();
    smaller->show();
    larger->show();
    smaller->raise();
    larger->raise();
    edit->setFocus();
    edit->moveCursor(QTextCursor::End);
    opened = true;
    fitToText();
}

QString TextOverlay::close()
{
    opened = false;
    edit->hide();
    smaller->hide();
    larger->hide();
    return edit->toPlainText().trimmed();
}

bool TextOverlay::contains(QPoint viewPoint) const
{
    return opened && edit->geometry().contains(viewPoint);
}

void TextOverlay::setColor(const QColor &color)
{
    edit->setStyleSheet(QString::fromLatin1(overlayStyle).arg(color.name()));
}

void TextOverlay::changeSize(int steps)
{
    framePixelSize =
        std::clamp(framePixelSize + steps * TextOverlaySizing::pixelSizeStep,
                   TextOverlaySizing::smallestPixelSize, TextOverlaySizing::largestPixelSize);
    applyFont();
    fitToText();
    edit->setFocus();
}

QRect TextOverlay::textRect() const
{
    // The right and bottom keep the inset as slack, so that the painted text wraps no earlier
    // than the typed one.
    return edit->geometry().adjusted(textInset, textInset, 0, 0);
}

bool TextOverlay::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == edit && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        emit finished();
        return true;
    }
    if (watched == edit->viewport() && event->type() == QEvent::MouseButtonDblClick &&
        edit->toPlainText().isEmpty()) {
        const QPointF at = static_cast<QMouseEvent *>(event)->position();
        emit doubleClickedEmpty(edit->viewport()->mapTo(view, at.toPoint()));
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void TextOverlay::applyFont()
{
    QFont font(QStringLiteral("monospace"));
    font.setWeight(QFont::Bold);
    font.setPixelSize(std::max(1, int(std::lround(framePixelSize * scale))));
    edit->setFont(font);
    edit->document()->setDefaultFont(font);
}

void TextOverlay::fitToText()
{
    // Measured to the fraction and with room for the caret at the end: a line that fits to the
    // pixel would still wrap while it is typed.
    const QFontMetricsF metrics(edit->font());
    int widest = 0;
    for (const QString &line : edit->toPlainText().split(QLatin1Char('\n')))
        widest = std::max(widest, int(std::ceil(metrics.horizontalAdvance(line))) +
                                      edit->cursorWidth());
    const QPoint at = edit->pos();
    const int width = TextOverlaySizing::width(widest, at.x(), view->width());
    // The editor's own document counts its height in lines; a plain document counts pixels.
    QTextDocument measured;
    measured.setDefaultFont(edit->font());
    measured.setPlainText(edit->toPlainText());
    measured.setTextWidth(TextOverlaySizing::textWidth(width));
    const double documentHeight = measured.size().height();
    edit->resize(width, TextOverlaySizing::height(documentHeight, at.y(), view->height()));
    smaller->move(at.x(), std::max(0, at.y() - 24));
    larger->move(smaller->geometry().right() + 1 + 3, smaller->y());
}
