#pragma once

#include <QKeySequence>
#include <QObject>

#include <memory>

class QxtGlobalShortcutPrivate;

// A system-wide hot key: `activated` fires even while another application has the focus.
class QxtGlobalShortcut : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(QKeySequence shortcut READ shortcut WRITE setShortcut)

public:
    explicit QxtGlobalShortcut(QObject *parent = nullptr);
    explicit QxtGlobalShortcut(const QKeySequence &shortcut, QObject *parent = nullptr);
    ~QxtGlobalShortcut() override;

    QKeySequence shortcut() const;
    bool setShortcut(const QKeySequence &shortcut);
    bool isEnabled() const;

public slots:
    void setEnabled(bool enabled = true);
    void setDisabled(bool disabled = true);

signals:
    void activated(QxtGlobalShortcut *self);

private:
    friend class QxtGlobalShortcutPrivate;
    std::unique_ptr<QxtGlobalShortcutPrivate> d;
};
