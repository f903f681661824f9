#pragma once

// Routes each request to its endpoint, after the rate limits; answers database faults as
// internal errors. Called on many threads at once.

#include "httpmessage.h"
#include "ratelimiter.h"

#include <memory>
#include <optional>

struct ServerConfig;
class SqlStore;
class FileStore;
class Recognizer;
class AccountApi;
class FileApi;
class OcrApi;
class SitePages;

// What every endpoint works with.
struct ServiceContext
{
    const ServerConfig &config;
    SqlStore &store;
    FileStore &files;
    Recognizer &recognizer;

    // Scheme and host that links start with.
    QString publicBase(const HttpRequest &request) const;
    // The account a request's token and user_id belong to; empty when they do not match.
    std::optional<qint64> authenticate(const HttpRequest &request) const;
};

struct BodyPolicy
{
    qint64 limit = 0;    // bytes; larger bodies are refused before they are read
    bool toFile = false; // streamed to the incoming area instead of memory
};

class Service
{
public:
    explicit Service(const ServiceContext &context);
    ~Service();

    BodyPolicy bodyPolicy(const QByteArray &method, const QString &path) const;
    // The answer to a body over its limit, sent before the body is read.
    HttpResponse tooLarge(const QString &path) const;
    HttpResponse handle(const HttpRequest &request);

private:
    HttpResponse route(const HttpRequest &request);

    ServiceContext context;
    RateLimiter limiter;
    std::unique_ptr<AccountApi> accounts;
    std::unique_ptr<FileApi> files;
    std::unique_ptr<OcrApi> ocr;
    std::unique_ptr<SitePages> site;
};
