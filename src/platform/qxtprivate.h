#pragma once

// Base of a private part: holds the back pointer to the public object that owns it.
template <typename Public> class QxtPrivate
{
public:
    explicit QxtPrivate(Public *publicObject) : qxt_p_ptr(publicObject) {}
    virtual ~QxtPrivate() = default;
    QxtPrivate(const QxtPrivate &) = delete;
    QxtPrivate &operator=(const QxtPrivate &) = delete;

protected:
    Public &qxt_p() const { return *qxt_p_ptr; }

private:
    Public *qxt_p_ptr;
};
