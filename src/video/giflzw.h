#pragma once

#include "gifpalette.h"

#include <QImage>
#include <QtGlobal>

// Image data of one frame as uncompressed LZW: 9-bit literal codes, a clear code every 250
// literals, split into sub-blocks. Every decoder reads it, and its size depends only on the
// pixel count, which lets frames be written in parallel into slots reserved in advance.

// Bytes from the minimum code size byte up to and including the block terminator.
qint64 literalLzwSize(qint64 pixelCount);

// Maps the top-left width × height pixels of an RGB32 frame through the table and writes
// exactly literalLzwSize(width × height) bytes to out.
void writeLiteralLzw(const QImage &rgb32Frame, int width, int height, const GifLookupTable &table,
                     uchar *out);
