#include "recognizer.h"

#include <tesseract/baseapi.h>

Recognizer::Recognizer(const QString &folder, const QString &langs)
    : dataFolder(folder.toLocal8Bit()), languages(langs.toLatin1())
{
}

Recognizer::~Recognizer() = default;

std::unique_ptr<tesseract::TessBaseAPI> Recognizer::borrow(QString *error)
{
    {
        QMutexLocker lock(&mutex);
        if (!idle.empty()) {
            auto engine = std::move(idle.back());
            idle.pop_back();
            return engine;
        }
    }
    auto engine = std::make_unique<tesseract::TessBaseAPI>();
    if (engine->Init(dataFolder.isEmpty() ? nullptr : dataFolder.constData(),
                     languages.constData()) != 0) {
        *error = QStringLiteral("Tesseract cannot load the languages %1")
                     .arg(QString::fromLatin1(languages));
        return nullptr;
    }
    return engine;
}

void Recognizer::giveBack(std::unique_ptr<tesseract::TessBaseAPI> engine)
{
    engine->Clear();
    QMutexLocker lock(&mutex);
    idle.push_back(std::move(engine));
}

bool Recognizer::check(QString *error)
{
    auto engine = borrow(error);
    if (!engine)
        return false;
    giveBack(std::move(engine));
    return true;
}

QString Recognizer::recognize(const QImage &image, bool *ok)
{
    QString error;
    auto engine = borrow(&error);
    *ok = engine != nullptr;
    if (!engine)
        return {};
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    engine->SetPageSegMode(tesseract::PSM_AUTO);
    engine->SetImage(grey.constBits(), grey.width(), grey.height(), 1, int(grey.bytesPerLine()));
    // The program sends its region three times enlarged; about print resolution for the engine.
    engine->SetSourceResolution(300);
    std::unique_ptr<char[]> text(engine->GetUTF8Text());
    QString result = text ? QString::fromUtf8(text.get()) : QString();
    *ok = text != nullptr;
    giveBack(std::move(engine));
    while (!result.isEmpty() && result.back().isSpace())
        result.chop(1);
    return result;
}
