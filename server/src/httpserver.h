#pragma once

// HTTP/1.1 over Boost.Beast: keep-alive, TLS with the configured certificate, request bodies
// streamed to the storage folder's incoming area as they arrive. Connections are served by a
// pool of I/O threads; the endpoints run on a second pool, since they block on the database,
// the disk and Tesseract.

#include <QString>

#include <memory>

struct ServerConfig;
class Service;
class FileStore;

class HttpServer
{
public:
    HttpServer(const ServerConfig &config, Service &service, const FileStore &files);
    ~HttpServer();

    // Binds and starts the threads; false with `error` filled when that fails.
    bool start(QString *error);
    // The bound port, useful when the configuration asked for port 0.
    quint16 port() const;
    // Stops accepting, ends the threads and waits for them.
    void stop();

private:
    struct Impl;
    std::unique_ptr<Impl> impl;
};
