#pragma once

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <functional>

// Answers the modal dialogs a slot opens, in order, as a user would. Each step gets the active
// modal widget once it appears.
class ModalResponder : public QObject
{
public:
    using Step = std::function<void(QWidget *)>;

    explicit ModalResponder(QList<Step> steps) : pending(std::move(steps))
    {
        connect(&poll, &QTimer::timeout, this, &ModalResponder::answer);
        poll.start(20);
    }

    bool finished() const { return pending.isEmpty(); }
    QStringList messages;
    QList<Qt::TextFormat> formats; // how each message box was told to read its text

    static Step saveAs(const QString &path, QString *suggested = nullptr)
    {
        return [path, suggested](QWidget *widget) {
            auto *dialog = qobject_cast<QFileDialog *>(widget);
            if (suggested)
                *suggested = dialog->selectedFiles().value(0);
            // Typed into the name field, as a user would; an absolute path is taken as it is.
            dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(path);
            static_cast<QDialog *>(dialog)->accept();
        };
    }
    static Step open(const QString &path) { return saveAs(path); }
    static Step cancel()
    {
        return [](QWidget *widget) { qobject_cast<QDialog *>(widget)->reject(); };
    }

private:
    void answer()
    {
        // A modal window that is no dialog (such as the login form) is the program's own, not a
        // question to answer.
        QWidget *modal = QApplication::activeModalWidget();
        if (!qobject_cast<QDialog *>(modal) || pending.isEmpty() || modal == lastAnswered)
            return;
        lastAnswered = modal;
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            messages << box->text();
            formats << box->textFormat();
            // A step may press one of the box's buttons; otherwise the box is simply closed.
            pending.takeFirst()(box);
            if (box->isVisible())
                box->accept();
            return;
        }
        pending.takeFirst()(modal);
    }

    QList<Step> pending;
    QTimer poll;
    QPointer<QWidget> lastAnswered;
};

// Closes the next message box and records its text.
inline ModalResponder::Step acknowledge()
{
    return [](QWidget *) {};
}
