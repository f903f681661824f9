#pragma once

// Text recognition with Tesseract. An engine serves one thread at a time, so engines are kept
// in a pool and each recognition borrows one.

#include <QImage>
#include <QMutex>
#include <QString>

#include <memory>
#include <vector>

namespace tesseract {
class TessBaseAPI;
}

class Recognizer
{
public:
    // languages as Tesseract names them, joined by "+"; an empty data folder is its default.
    Recognizer(const QString &dataFolder, const QString &languages);
    ~Recognizer();

    // Loads one engine, so a missing language fails at start and not on the first request.
    bool check(QString *error);
    // The recognised text without trailing white space; *ok false when the engine failed.
    QString recognize(const QImage &image, bool *ok);

private:
    std::unique_ptr<tesseract::TessBaseAPI> borrow(QString *error);
    void giveBack(std::unique_ptr<tesseract::TessBaseAPI> engine);

    QByteArray dataFolder;
    QByteArray languages;
    QMutex mutex;
    std::vector<std::unique_ptr<tesseract::TessBaseAPI>> idle;
};
