#pragma once

// The signed OCR request: the signature over "uuid|ts|nonce" with the key the program was built
// with, a timestamp near the server's clock, a nonce used once, then Tesseract on the picture.

#include "httpmessage.h"

struct ServiceContext;

class OcrApi
{
public:
    static constexpr qint64 AllowedSkewSeconds = 300;

    explicit OcrApi(const ServiceContext &context) : context(context) {}

    HttpResponse recognize(const HttpRequest &request);

private:
    const ServiceContext &context;
};
