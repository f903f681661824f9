#include "plainmessage.h"

#include <QMessageBox>

void showPlainMessage(const QString &text)
{
    QMessageBox box;
    box.setWindowTitle(QStringLiteral("Quorvel"));
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.exec();
}
