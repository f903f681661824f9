#include "copiedtoast.h"

#include <QLabel>
#include <QTimer>

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
