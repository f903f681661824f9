#include "multipart.h"

#include <QIODevice>

#include <algorithm>
#include <functional>

namespace Multipart {

namespace {

constexpr qint64 BlockBytes = 1 << 20;
constexpr qint64 MaxHeaderBytes = 8 * 1024;

// The first position at or after `from` where `needle` starts, or -1.
qint64 findFrom(QIODevice &device, qint64 from, const QByteArray &needle)
{
    const std::boyer_moore_horspool_searcher searcher(needle.begin(), needle.end());
    QByteArray block;
    for (qint64 start = from;;) {
        if (!device.seek(start))
            return -1;
        block = device.read(BlockBytes);
        if (block.size() < needle.size())
            return -1;
        const auto hit = std::search(block.cbegin(), block.cend(), searcher);
        if (hit != block.cend())
            return start + (hit - block.cbegin());
        if (block.size() < BlockBytes)
            return -1;
        // Blocks overlap by one needle less a byte, so a match across their border is found.
        start += block.size() - needle.size() + 1;
    }
}

QByteArray readAt(QIODevice &device, qint64 offset, qint64 length)
{
    if (!device.seek(offset))
        return {};
    return device.read(length);
}

QByteArray quotedParameter(const QByteArray &value, const QByteArray &name, bool lastQuote)
{
    QByteArray key = name + "=\"";
    qsizetype at = 0;
    // "name=" must not match inside "filename=".
    while ((at = value.indexOf(key, at)) >= 0 && at > 0 && value.at(at - 1) != ' ' &&
           value.at(at - 1) != ';')
        at += key.size();
    if (at < 0)
        return {};
    const qsizetype start = at + key.size();
    // The program writes file names unescaped, quotes and all: its file name is the header's
    // last parameter and ends at the last quote.
    const qsizetype end = lastQuote ? value.lastIndexOf('"') : value.indexOf('"', start);
    return end < start ? QByteArray() : value.mid(start, end - start);
}

bool parseHeaders(const QByteArray &block, Part &part)
{
    bool disposition = false;
    for (const QByteArray &line : block.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.isEmpty())
            continue;
        const qsizetype colon = trimmed.indexOf(':');
        if (colon <= 0)
            return false;
        const QByteArray name = trimmed.left(colon).trimmed().toLower();
        const QByteArray value = trimmed.mid(colon + 1).trimmed();
        if (name == "content-disposition") {
            if (!value.toLower().startsWith("form-data"))
                return false;
            disposition = true;
            part.name = quotedParameter(value, "name", false);
            part.hasFileName = value.contains("filename=\"");
            part.fileName = QString::fromUtf8(quotedParameter(value, "filename", true));
        } else if (name == "content-type") {
            part.contentType = value;
        }
    }
    return disposition && !part.name.isEmpty();
}

} // namespace

const Part *Parsed::find(const QByteArray &name) const
{
    for (const Part &part : parts)
        if (part.name == name)
            return &part;
    return nullptr;
}

QByteArray boundaryOf(const QByteArray &contentType)
{
    const QList<QByteArray> fields = contentType.split(';');
    if (fields.value(0).trimmed().toLower() != "multipart/form-data")
        return {};
    for (qsizetype i = 1; i < fields.size(); ++i) {
        const QByteArray field = fields[i].trimmed();
        if (!field.toLower().startsWith("boundary="))
            continue;
        QByteArray boundary = field.mid(9);
        if (boundary.size() >= 2 && boundary.startsWith('"') && boundary.endsWith('"'))
            boundary = boundary.mid(1, boundary.size() - 2);
        return boundary.size() <= 70 ? boundary : QByteArray();
    }
    return {};
}

Parsed parse(QIODevice &body, const QByteArray &boundary, int maxParts)
{
    Parsed parsed;
    if (boundary.isEmpty()) {
        parsed.error = QStringLiteral("not a multipart/form-data body");
        return parsed;
    }
    const QByteArray delimiter = "--" + boundary;
    const QByteArray nextDelimiter = "\r\n" + delimiter;
    qint64 at = delimiter.size();
    if (readAt(body, 0, delimiter.size()) != delimiter) {
        // Whatever stands before the first boundary line is a preamble, ignored.
        const qint64 first = findFrom(body, 0, nextDelimiter);
        if (first < 0) {
            parsed.error = QStringLiteral("no multipart boundary");
            return parsed;
        }
        at = first + nextDelimiter.size();
    }
    for (;;) {
        const QByteArray after = readAt(body, at, 2);
        if (after == "--")
            return parsed;
        if (after != "\r\n") {
            parsed.error = QStringLiteral("malformed multipart boundary line");
            return parsed;
        }
        if (parsed.parts.size() == maxParts) {
            parsed.error = QStringLiteral("too many multipart parts");
            return parsed;
        }
        at += 2;
        const QByteArray head = readAt(body, at, MaxHeaderBytes);
        const qsizetype headEnd = head.indexOf("\r\n\r\n");
        Part part;
        if (headEnd < 0 || !parseHeaders(head.left(headEnd), part)) {
            parsed.error = QStringLiteral("malformed multipart part headers");
            return parsed;
        }
        part.offset = at + headEnd + 4;
        const qint64 end = findFrom(body, part.offset, nextDelimiter);
        if (end < 0) {
            parsed.error = QStringLiteral("multipart body ends inside a part");
            return parsed;
        }
        part.length = end - part.offset;
        parsed.parts.append(part);
        at = end + nextDelimiter.size();
    }
}

QByteArray read(QIODevice &body, const Part &part, qint64 maxBytes, bool *ok)
{
    *ok = part.length <= maxBytes;
    if (!*ok)
        return {};
    const QByteArray content = readAt(body, part.offset, part.length);
    *ok = content.size() == part.length;
    return *ok ? content : QByteArray();
}

bool copy(QIODevice &body, const Part &part, QIODevice &to)
{
    if (!body.seek(part.offset))
        return false;
    for (qint64 left = part.length; left > 0;) {
        const QByteArray block = body.read(std::min(left, BlockBytes));
        if (block.isEmpty() || to.write(block) != block.size())
            return false;
        left -= block.size();
    }
    return true;
}

} // namespace Multipart
