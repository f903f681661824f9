#include "httpserver.h"

#include "filestore.h"
#include "serverconfig.h"
#include "service.h"

#include <QFile>

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/ssl.hpp>
#include <boost/asio/strand.hpp>
#include <boost/asio/thread_pool.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/ssl.hpp>

#include <chrono>
#include <cstdio>
#include <limits>
#include <optional>
#include <thread>
#include <vector>

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;

namespace {

constexpr auto IdleTimeout = std::chrono::seconds(60);
constexpr auto HandshakeTimeout = std::chrono::seconds(30);
constexpr auto DrainTimeout = std::chrono::seconds(5);
constexpr std::uint32_t HeaderLimit = 16 * 1024;

std::string text(const QByteArray &bytes)
{
    return std::string(bytes.constData(), size_t(bytes.size()));
}

QByteArray bytes(beast::string_view view)
{
    return QByteArray(view.data(), qsizetype(view.size()));
}

bool isDiskFull(const beast::error_code &ec)
{
    return ec == beast::errc::no_space_on_device || ec == beast::errc::file_too_large ||
           ec == beast::errc::io_error;
}

struct Shared
{
    const ServerConfig &config;
    Service &service;
    const FileStore &files;
    asio::thread_pool &workers;
};

beast::tcp_stream &tcpOf(beast::tcp_stream &stream)
{
    return stream;
}

beast::tcp_stream &tcpOf(beast::ssl_stream<beast::tcp_stream> &stream)
{
    return beast::get_lowest_layer(stream);
}

// One connection, for as many requests as keep-alive lets it serve.
template <typename Stream> class Session : public std::enable_shared_from_this<Session<Stream>>
{
public:
    template <typename... Args>
    Session(const Shared &shared, tcp::socket &&socket, Args &&...args)
        : shared(shared), stream(std::move(socket), std::forward<Args>(args)...)
    {
        beast::error_code ec;
        const auto endpoint = tcpOf(stream).socket().remote_endpoint(ec);
        remote = ec ? QString() : QString::fromStdString(endpoint.address().to_string());
    }

    ~Session() { discardIncoming(); }

    void run()
    {
        asio::dispatch(stream.get_executor(), [self = this->shared_from_this()] {
            if constexpr (IsTls)
                self->handshake();
            else
                self->readHeader();
        });
    }

private:
    static constexpr bool IsTls = !std::is_same_v<Stream, beast::tcp_stream>;
    using Self = Session<Stream>;

    void handshake()
    {
        tcpOf(stream).expires_after(HandshakeTimeout);
        if constexpr (IsTls)
            stream.async_handshake(asio::ssl::stream_base::server,
                                   [self = this->shared_from_this()](beast::error_code ec) {
                                       if (!ec)
                                           self->readHeader();
                                   });
    }

    void readHeader()
    {
        header.emplace();
        header->header_limit(HeaderLimit);
        // The parser's own default refuses bodies over 1 MB already while reading the header;
        // each endpoint's limit is applied in onHeader instead.
        header->body_limit(std::numeric_limits<std::uint64_t>::max());
        fileBody.reset();
        smallBody.reset();
        tcpOf(stream).expires_after(IdleTimeout);
        http::async_read_header(stream, buffer, *header,
                                [self = this->shared_from_this()](beast::error_code ec, size_t) {
                                    self->onHeader(ec);
                                });
    }

    void onHeader(beast::error_code ec)
    {
        if (ec == http::error::header_limit)
            return respond(HttpResponse::error(431, QStringLiteral("Header too large")), true);
        if (ec)
            return close();
        const auto &message = header->get();
        request = HttpRequest();
        request.method = bytes(message.method_string());
        request.setTarget(bytes(message.target()));
        for (const auto &field : message)
            request.headers.insert(bytes(field.name_string()).toLower(), bytes(field.value()));
        request.remoteAddress = remote;
        request.secure = IsTls;
        keepAlive = message.keep_alive();
        started = std::chrono::steady_clock::now();

        const BodyPolicy policy = shared.service.bodyPolicy(request.method, request.path);
        const auto length = header->content_length();
        if (length && *length > std::uint64_t(policy.limit))
            return respond(shared.service.tooLarge(request.path), true);
        if (!length && !header->chunked())
            return dispatch();
        if (message[http::field::expect] == "100-continue")
            return sendContinue(policy);
        readBody(policy);
    }

    void sendContinue(const BodyPolicy &policy)
    {
        auto interim = std::make_shared<http::response<http::empty_body>>(http::status::continue_,
                                                                          header->get().version());
        http::async_write(
            stream, *interim,
            [self = this->shared_from_this(), interim, policy](beast::error_code ec, size_t) {
                if (ec)
                    return self->close();
                self->readBody(policy);
            });
    }

    void readBody(const BodyPolicy &policy)
    {
        if (!policy.toFile) {
            smallBody.emplace(std::move(*header));
            smallBody->body_limit(std::uint64_t(policy.limit));
            tcpOf(stream).expires_after(IdleTimeout);
            return http::async_read(
                stream, buffer, *smallBody,
                [self = this->shared_from_this()](beast::error_code ec, size_t) {
                    if (ec)
                        return self->onBodyError(ec);
                    self->request.body = QByteArray::fromStdString(self->smallBody->get().body());
                    self->dispatch();
                });
        }
        fileBody.emplace(std::move(*header));
        fileBody->body_limit(std::uint64_t(policy.limit));
        incoming = shared.files.newIncomingPath();
        beast::error_code ec;
        fileBody->get().body().open(incoming.toLocal8Bit().constData(), beast::file_mode::write,
                                    ec);
        if (ec)
            return onBodyError(ec);
        // Held open, and so claimed, until discardIncoming, after the endpoint has read it. Where
        // the file system has no locks, no start clears anything either.
        FileStore::claimIncoming(fileBody->get().body().file().native_handle());
        readBodyPart();
    }

    // Each piece renews the timeout: a slow but steady upload is fine, a silent one is not.
    void readBodyPart()
    {
        tcpOf(stream).expires_after(IdleTimeout);
        http::async_read_some(stream, buffer, *fileBody,
                              [self = this->shared_from_this()](beast::error_code ec, size_t) {
                                  if (ec)
                                      return self->onBodyError(ec);
                                  if (!self->fileBody->is_done())
                                      return self->readBodyPart();
                                  self->request.bodyFile = self->incoming;
                                  self->dispatch();
                              });
    }

    void onBodyError(beast::error_code ec)
    {
        discardIncoming();
        if (ec == http::error::body_limit)
            return respond(shared.service.tooLarge(request.path), true);
        if (isDiskFull(ec)) {
            std::fprintf(stderr, "error: receiving a body failed: %s\n", ec.message().c_str());
            return respond(HttpResponse::error(507, QStringLiteral("The server is out of space")),
                           true);
        }
        close();
    }

    void dispatch()
    {
        asio::post(shared.workers, [self = this->shared_from_this()] {
            HttpResponse response = self->shared.service.handle(self->request);
            self->discardIncoming();
            asio::post(self->stream.get_executor(),
                       [self, response = std::move(response)] { self->respond(response, false); });
        });
    }

    void respond(const HttpResponse &response, bool closeAfter)
    {
        const bool keep = keepAlive && !closeAfter;
        const bool head = request.method == "HEAD";
        if (!response.filePath.isEmpty()) {
            auto message = std::make_shared<http::response<http::file_body>>();
            beast::error_code ec;
            message->body().open(response.filePath.toLocal8Bit().constData(),
                                 beast::file_mode::scan, ec);
            if (ec)
                return respond(HttpResponse::error(404, QStringLiteral("Not found")), closeAfter);
            fill(*message, response, keep);
            message->prepare_payload();
            if (head)
                return sendHead(*message, response.status, keep);
            return send(message, response.status, keep);
        }
        auto message = std::make_shared<http::response<http::string_body>>();
        fill(*message, response, keep);
        message->body() = text(response.body);
        message->prepare_payload();
        if (head)
            return sendHead(*message, response.status, keep);
        send(message, response.status, keep);
    }

    template <typename Message> void fill(Message &message, const HttpResponse &response, bool keep)
    {
        message.version(11);
        message.result(unsigned(response.status));
        message.set(http::field::server, "quorvel-server");
        if (!response.contentType.isEmpty())
            message.set(http::field::content_type, text(response.contentType));
        for (const auto &[name, value] : response.headers)
            message.set(text(name), text(value));
        message.keep_alive(keep);
    }

    template <typename Message> void sendHead(const Message &full, int status, bool keep)
    {
        auto message = std::make_shared<http::response<http::empty_body>>();
        message->base() = full.base();
        send(message, status, keep);
    }

    template <typename Message> void send(std::shared_ptr<Message> message, int status, bool keep)
    {
        log(status);
        tcpOf(stream).expires_after(IdleTimeout);
        http::async_write(
            stream, *message,
            [self = this->shared_from_this(), message, keep](beast::error_code ec, size_t) {
                if (ec)
                    return self->close();
                if (keep)
                    return self->readHeader();
                self->finish();
            });
    }

    void log(int status)
    {
        if (!shared.config.accessLog)
            return;
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - started)
                            .count();
        // The query holds tokens and passwords: only the path is logged.
        std::fprintf(stderr, "%s %s %s %d %lldms\n", qPrintable(remote), request.method.constData(),
                     qPrintable(request.path), status, static_cast<long long>(ms));
    }

    // A client whose body was refused may still be sending it: reading on for a while lets it
    // see the answer instead of a reset connection.
    void finish()
    {
        if constexpr (IsTls) {
            tcpOf(stream).expires_after(DrainTimeout);
            stream.async_shutdown(
                [self = this->shared_from_this()](beast::error_code) { self->close(); });
        } else {
            beast::error_code ec;
            stream.socket().shutdown(tcp::socket::shutdown_send, ec);
            tcpOf(stream).expires_after(DrainTimeout);
            drain();
        }
    }

    void drain()
    {
        stream.async_read_some(asio::buffer(scratch),
                               [self = this->shared_from_this()](beast::error_code ec, size_t) {
                                   if (ec)
                                       return self->close();
                                   self->drain();
                               });
    }

    void close()
    {
        beast::error_code ec;
        tcpOf(stream).socket().close(ec);
    }

    void discardIncoming()
    {
        if (incoming.isEmpty())
            return;
        if (fileBody && fileBody->get().body().is_open())
            fileBody->get().body().close();
        QFile::remove(incoming);
        incoming.clear();
    }

    Shared shared;
    Stream stream;
    QString remote;
    beast::flat_buffer buffer;
    std::optional<http::request_parser<http::empty_body>> header;
    std::optional<http::request_parser<http::file_body>> fileBody;
    std::optional<http::request_parser<http::string_body>> smallBody;
    QString incoming;
    HttpRequest request;
    bool keepAlive = false;
    std::chrono::steady_clock::time_point started;
    std::array<char, 16 * 1024> scratch;
};

} // namespace

struct HttpServer::Impl
{
    Impl(const ServerConfig &config, Service &service, const FileStore &files)
        : config(config),
          threadCount(config.threads > 0 ? config.threads
                                         : int(std::max(1u, std::thread::hardware_concurrency()))),
          // Endpoints wait on the database and the disk: twice as many workers as cores.
          workers(size_t(threadCount) * 2), shared{config, service, files, workers},
          acceptor(asio::make_strand(io))
    {
    }

    void accept()
    {
        acceptor.async_accept(asio::make_strand(io), [this](beast::error_code ec,
                                                            tcp::socket socket) {
            if (ec == asio::error::operation_aborted)
                return;
            if (!ec) {
                if (tls)
                    std::make_shared<Session<beast::ssl_stream<beast::tcp_stream>>>(
                        shared, std::move(socket), *tls)
                        ->run();
                else
                    std::make_shared<Session<beast::tcp_stream>>(shared, std::move(socket))->run();
            }
            accept();
        });
    }

    const ServerConfig &config;
    int threadCount;
    // Before the I/O context: the sessions it still holds at destruction use the TLS context.
    std::optional<asio::ssl::context> tls;
    asio::io_context io;
    asio::thread_pool workers;
    Shared shared;
    tcp::acceptor acceptor;
    std::vector<std::thread> threads;
    bool running = false;
};

HttpServer::HttpServer(const ServerConfig &config, Service &service, const FileStore &files)
    : impl(std::make_unique<Impl>(config, service, files))
{
}

HttpServer::~HttpServer()
{
    stop();
}

bool HttpServer::start(QString *error)
{
    const ServerConfig &config = impl->config;
    try {
        if (config.usesTls()) {
            impl->tls.emplace(asio::ssl::context::tls_server);
            impl->tls->set_options(asio::ssl::context::default_workarounds |
                                   asio::ssl::context::no_sslv2 | asio::ssl::context::no_sslv3 |
                                   asio::ssl::context::no_tlsv1 | asio::ssl::context::no_tlsv1_1);
            impl->tls->use_certificate_chain_file(config.certificateFile.toStdString());
            impl->tls->use_private_key_file(config.keyFile.toStdString(), asio::ssl::context::pem);
        }
        const tcp::endpoint endpoint(asio::ip::make_address(config.listenAddress.toStdString()),
                                     config.port);
        impl->acceptor.open(endpoint.protocol());
        impl->acceptor.set_option(asio::socket_base::reuse_address(true));
        impl->acceptor.bind(endpoint);
        impl->acceptor.listen(asio::socket_base::max_listen_connections);
    } catch (const std::exception &e) {
        *error = QString::fromStdString(e.what());
        return false;
    }
    impl->accept();
    for (int i = 0; i < impl->threadCount; ++i)
        impl->threads.emplace_back([this] { impl->io.run(); });
    impl->running = true;
    return true;
}

quint16 HttpServer::port() const
{
    beast::error_code ec;
    return impl->acceptor.local_endpoint(ec).port();
}

void HttpServer::stop()
{
    if (!impl->running)
        return;
    impl->running = false;
    impl->io.stop();
    for (std::thread &thread : impl->threads)
        thread.join();
    impl->threads.clear();
    beast::error_code ec;
    impl->acceptor.close(ec);
    impl->workers.join();
}
