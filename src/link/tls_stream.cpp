// SPDX-License-Identifier: MIT
// The one file of the core that uses a library beyond the standard one: OpenSSL. The TLS engine
// works on memory buffers and this file moves the bytes through the socket itself, so a server
// that goes away gives an error here, never a SIGPIPE, and the waits are the same poll() as the
// plain connection's.
#include "link/tls_stream.h"

#include <arpa/inet.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>
#include <poll.h>
#include <sys/socket.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "app/format.h"
#include "app/strings.h"
#include "link/net_socket.h"

namespace nuvrel::link {
namespace {

constexpr std::size_t kChunk = 16 * 1024;  // one TLS record at most

std::string LibraryError() {
  const unsigned long code = ERR_get_error();
  ERR_clear_error();
  if (code == 0) return "?";
  const char* reason = ERR_reason_error_string(code);
  return reason ? reason : "?";
}

bool IsAddress(const std::string& host) {
  unsigned char buffer[16];
  return inet_pton(AF_INET, host.c_str(), buffer) == 1 ||
         inet_pton(AF_INET6, host.c_str(), buffer) == 1;
}

class TlsStream final : public NetStream {
 public:
  TlsStream(app::UniqueFd socket, SSL_CTX* context, SSL* ssl)
      : m_socket(std::move(socket)), m_context(context), m_ssl(ssl) {}

  ~TlsStream() override {
    if (!Ended()) {
      // Tell the server the session is over, as far as it takes it at once.
      SSL_shutdown(m_ssl);
      Flush();
    }
    SSL_free(m_ssl);
    SSL_CTX_free(m_context);
  }

  // The handshake; the error text when it fails.
  std::string Handshake(SteadyTime deadline) {
    for (;;) {
      ERR_clear_error();
      const int r = SSL_do_handshake(m_ssl);
      Flush();
      if (r == 1) return {};
      const int error = SSL_get_error(m_ssl, r);
      if (error == SSL_ERROR_WANT_READ && !Ended()) {
        Pull(deadline);
        if (Ended()) return Problem();
        if (std::chrono::steady_clock::now() >= deadline) {
          return app::Format(app::Sid::ConnectTimedOut, {TimeoutMs()});
        }
        continue;
      }
      if (Ended()) return Problem();
      const long verify = SSL_get_verify_result(m_ssl);
      if (verify != X509_V_OK) {
        return app::Format(app::Sid::CertificateRefused,
                           {std::string(X509_verify_cert_error_string(verify))});
      }
      return app::Format(app::Sid::SecureLinkFailed, {LibraryError()});
    }
  }

  void SetTimeoutForMessages(std::chrono::milliseconds timeout) { m_timeout = timeout; }

  bool Send(std::span<const std::uint8_t> bytes) override {
    if (Ended()) return false;
    if (bytes.empty()) return true;
    ERR_clear_error();
    // The engine writes into memory, so it takes the whole block at once.
    const int r = SSL_write(m_ssl, bytes.data(), static_cast<int>(bytes.size()));
    if (r <= 0) End(app::Format(app::Sid::SecureLinkFailed, {LibraryError()}));
    return Flush() && !Ended();
  }

  std::size_t Receive(std::span<std::uint8_t> out, std::chrono::milliseconds timeout) override {
    if (Ended() || out.empty()) return 0;
    const SteadyTime deadline = std::chrono::steady_clock::now() + timeout;
    const int want = static_cast<int>(std::min(out.size(), kChunk));
    for (;;) {
      ERR_clear_error();
      const int r = SSL_read(m_ssl, out.data(), want);
      Flush();  // the engine may have something to answer (a key update)
      if (r > 0) return static_cast<std::size_t>(r);
      const int error = SSL_get_error(m_ssl, r);
      if (error == SSL_ERROR_ZERO_RETURN) {
        End(std::string(app::Text(app::Sid::ConnectionClosed)));
        return 0;
      }
      if (error != SSL_ERROR_WANT_READ) {
        End(app::Format(app::Sid::SecureLinkFailed, {LibraryError()}));
        return 0;
      }
      // A record is not complete yet: more from the socket, or nothing came in time.
      if (Pull(deadline) == 0) return 0;
    }
  }

 private:
  unsigned TimeoutMs() const { return static_cast<unsigned>(m_timeout.count()); }

  // Sends what the engine has written; false when the connection failed.
  bool Flush() {
    BIO* out = SSL_get_wbio(m_ssl);
    std::array<std::uint8_t, kChunk> buffer{};
    while (!Ended() && BIO_ctrl_pending(out) > 0) {
      const int n = BIO_read(out, buffer.data(), static_cast<int>(buffer.size()));
      if (n <= 0) break;
      SendRaw(std::span(buffer).first(static_cast<std::size_t>(n)));
    }
    return !Ended();
  }

  void SendRaw(std::span<const std::uint8_t> bytes) {
    if (Ended()) return;
    if (std::string why = SendAll(m_socket.Get(), bytes, kSendStall); !why.empty()) End(why);
  }

  // Waits for the socket until the deadline and hands what came to the engine; the count.
  std::size_t Pull(SteadyTime deadline) {
    std::array<std::uint8_t, kChunk> buffer{};
    Received got = ReceiveSome(m_socket.Get(), buffer, deadline);
    if (!got.ended.empty()) End(std::move(got.ended));
    if (got.count > 0) BIO_write(SSL_get_rbio(m_ssl), buffer.data(), static_cast<int>(got.count));
    return got.count;
  }

  app::UniqueFd m_socket;
  SSL_CTX* m_context;
  SSL* m_ssl;
  std::chrono::milliseconds m_timeout{};
};

// Reads the certificates into the context; the error text when one cannot be used.
std::string LoadCertificates(SSL_CTX* context, const NetworkSettings& settings) {
  auto failed = [](app::Sid what, const std::string& path) {
    return app::Format(app::Sid::CannotReadTlsFile,
                       {std::string(app::Text(what)), path, LibraryError()});
  };
  if (settings.caFile.empty()) {
    if (SSL_CTX_set_default_verify_paths(context) != 1) return failed(app::Sid::CaFileWord, "");
  } else if (SSL_CTX_load_verify_locations(context, settings.caFile.c_str(), nullptr) != 1) {
    return failed(app::Sid::CaFileWord, settings.caFile);
  }
  if (settings.clientCertificate.empty()) return {};
  if (SSL_CTX_use_certificate_chain_file(context, settings.clientCertificate.c_str()) != 1) {
    return failed(app::Sid::ClientCertificateWord, settings.clientCertificate);
  }
  const std::string& key =
      settings.clientKey.empty() ? settings.clientCertificate : settings.clientKey;
  if (SSL_CTX_use_PrivateKey_file(context, key.c_str(), SSL_FILETYPE_PEM) != 1 ||
      SSL_CTX_check_private_key(context) != 1) {
    return failed(app::Sid::ClientKeyWord, key);
  }
  return {};
}

}  // namespace

TlsStart StartTls(app::UniqueFd socket, const std::string& host, const NetworkSettings& settings) {
  TlsStart result;
  ERR_clear_error();
  SSL_CTX* context = SSL_CTX_new(TLS_client_method());
  if (!context) {
    result.error = app::Format(app::Sid::SecureLinkFailed, {LibraryError()});
    return result;
  }
  SSL_CTX_set_min_proto_version(context, TLS1_2_VERSION);
  SSL_CTX_set_verify(context, SSL_VERIFY_PEER, nullptr);
  if (std::string error = LoadCertificates(context, settings); !error.empty()) {
    SSL_CTX_free(context);
    result.error = std::move(error);
    return result;
  }
  SSL* ssl = SSL_new(context);
  BIO* in = BIO_new(BIO_s_mem());
  BIO* out = BIO_new(BIO_s_mem());
  if (!ssl || !in || !out) {
    BIO_free(in);
    BIO_free(out);
    SSL_free(ssl);
    SSL_CTX_free(context);
    result.error = app::Format(app::Sid::SecureLinkFailed, {LibraryError()});
    return result;
  }
  // An empty input buffer means "wait for more", not the end of the stream.
  BIO_set_mem_eof_return(in, -1);
  SSL_set_bio(ssl, in, out);
  SSL_set_connect_state(ssl);
  // The certificate must name the host asked for: an address as an IP entry, a name as a DNS one
  // (and the name goes to the server, which may serve several).
  if (IsAddress(host)) {
    X509_VERIFY_PARAM_set1_ip_asc(SSL_get0_param(ssl), host.c_str());
  } else {
    SSL_set1_host(ssl, host.c_str());
    SSL_set_tlsext_host_name(ssl, host.c_str());
  }
  auto stream = std::make_unique<TlsStream>(std::move(socket), context, ssl);
  stream->SetTimeoutForMessages(settings.connectTimeout);
  result.error = stream->Handshake(std::chrono::steady_clock::now() + settings.connectTimeout);
  if (result.error.empty()) result.stream = std::move(stream);
  return result;
}

}  // namespace nuvrel::link
