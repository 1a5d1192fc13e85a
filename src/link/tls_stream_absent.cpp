// SPDX-License-Identifier: MIT
// A build without a TLS library (NUVREL_TLS=OFF): tcp+tls:// and rfc2217+tls:// addresses are
// refused with a message that says why.
#include "app/format.h"
#include "app/strings.h"
#include "link/tls_stream.h"

namespace nuvrel::link {

TlsStart StartTls(app::UniqueFd, const std::string&, const NetworkSettings&) {
  return {nullptr, app::Format(app::Sid::SecureLinkFailed, {"this build has no TLS"})};
}

}  // namespace nuvrel::link
