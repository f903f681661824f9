#pragma once

#include <QByteArray>
#include <QFileDevice>

// Writes every byte and flushes. A short write is retried, not taken for success: the retry is
// what fails with the cause (a full disk), where the short count alone would end the file early
// without a word. The file's errorString() tells why on failure.
bool writeAll(QFileDevice &file, const QByteArray &bytes);
