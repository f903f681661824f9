#pragma once

// multipart/form-data read from a body on disk: the parts are located, not loaded, so a large
// file part is copied onwards in blocks and never held whole in memory.

#include <QByteArray>
#include <QList>
#include <QString>

class QIODevice;

namespace Multipart {

struct Part
{
    QByteArray name;
    QString fileName;
    bool hasFileName = false;
    QByteArray contentType;
    qint64 offset = 0; // of the part's content within the body
    qint64 length = 0;
};

struct Parsed
{
    QString error; // empty when the body was well formed
    QList<Part> parts;

    bool ok() const { return error.isEmpty(); }
    const Part *find(const QByteArray &name) const;
};

// The boundary of a "multipart/form-data; boundary=..." header value; empty for anything else.
QByteArray boundaryOf(const QByteArray &contentType);

Parsed parse(QIODevice &body, const QByteArray &boundary, int maxParts = 16);

// A small part's content; empty with *ok false when it is longer than maxBytes.
QByteArray read(QIODevice &body, const Part &part, qint64 maxBytes, bool *ok);
// Copies the part's content to `to`; false when reading or writing failed (disk full).
bool copy(QIODevice &body, const Part &part, QIODevice &to);

} // namespace Multipart
