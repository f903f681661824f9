#include "copiedtoast.h"

#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QToolButton>

void showCopiedToast(QWidget *owner, QWidget *anchor, const QString &text)
{
    auto *toast = new QLabel(text, owner, Qt::ToolTip);
    toast->setAttribute(Qt::WA_DeleteOnClose);
    toast->setStyleSheet(QStringLiteral("QLabel { background: #263238; color: white; border: 0; "
                                        "border-radius: 4px; padding: 6px 10px; }"));
    toast->adjustSize();
    toast->move(
        anchor->mapToGlobal(QPoint(anchor->width() - toast->width(), -toast->height() - 6)));
    toast->show();
    QTimer::singleShot(CopiedToastMs, toast, &QWidget::close);
}

QIcon copyIcon()
{
    const QIcon themed = QIcon::fromTheme(QStringLiteral("edit-copy"));
    if (!themed.isNull())
        return themed;
    QPixmap picture(18, 18);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(QStringLiteral("#52616d")), 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(6.5, 2.5, 8.5, 11), 1.5, 1.5);
    painter.drawRoundedRect(QRectF(3, 5.5, 8.5, 10), 1.5, 1.5);
    return QIcon(picture);
}

QToolButton *createCopyButton(QWidget *parent, const QString &label)
{
    auto *button = new QToolButton(parent);
    button->setIcon(copyIcon());
    button->setToolTip(label);
    button->setAccessibleName(label);
    button->setAutoRaise(true);
    button->setFixedSize(28, 28);
    button->setEnabled(false);
    return button;
}
