#include "notraynotice.h"

#include "commandline.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

NoTrayNotice::NoTrayNotice(QWidget *parent)
    : QDialog(parent), explanation(new QLabel), commands(new QLabel),
      quitButton(new QPushButton), closeButton(new QPushButton)
{
    setWindowIcon(QIcon(QStringLiteral(":/icon_main.png")));
    explanation->setWordWrap(true);
    commands->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(quitButton);
    buttons->addWidget(closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(12);
    layout->addWidget(explanation);
    layout->addWidget(commands);
    layout->addLayout(buttons);

    connect(quitButton, &QPushButton::clicked, this, &NoTrayNotice::quitRequested);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    closeButton->setDefault(true);
    retranslate();
    setMinimumWidth(520);
}

void NoTrayNotice::retranslate()
{
    // Not plain "Quorvel": that is the editor's title.
    setWindowTitle(tr("Quorvel is running"));
    explanation->setText(
        tr("This desktop has no system tray, so Quorvel cannot show its icon. It keeps running "
           "after you close this window. Bind these commands to keys in your desktop's keyboard "
           "settings to use it:"));
    QString rows;
    for (DesktopRequest::Action action : DesktopRequest::namedActions()) {
        rows += QStringLiteral("<tr><td><tt>quorvel --%1</tt>&nbsp;&nbsp;</td><td>%2</td></tr>")
                    .arg(QLatin1String(DesktopRequest::name(action)),
                         CommandLine::describe(action).toHtmlEscaped());
    }
    commands->setText(QStringLiteral("<table>") + rows + QStringLiteral("</table>"));
    quitButton->setText(tr("&Quit Quorvel"));
    closeButton->setText(tr("Close"));
}

void NoTrayNotice::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}
