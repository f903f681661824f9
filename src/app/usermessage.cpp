#include "usermessage.h"

#include <QMessageBox>

void showUserMessage(const QString &text)
{
    QMessageBox box;
    box.setWindowTitle(QStringLiteral("Quorvel"));
    box.setText(text);
    box.exec();
}
