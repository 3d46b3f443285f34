#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace tornavel::iscc {

// How the installer and its uninstaller are signed: a certificate with its
// private key, either one PKCS#12 file or a PEM certificate (with the key in
// it or in a file of its own), the password that opens the key, an optional
// timestamp server, and for reproducible installers a fixed signing time.
struct SigningRequest {
    std::string certificate;
    std::string key;          // PEM key; empty: in the certificate's file
    std::string passwordFile; // empty: $TORNAVEL_SIGN_PASSWORD, or no password
    std::string timestampUrl; // empty: no timestamp
    std::optional<std::int64_t> signingTime;
};

// The password of a request: the first line of its file, or the variable.
// Throws AdapterFailure when the file cannot be read.
std::string SigningPassword(const SigningRequest& request);

// Checks, before anything is compiled, that the certificate can sign now:
// its file can be read and is a certificate, the password opens the key, the
// key belongs to the certificate, and the certificate is valid today. Throws
// AdapterFailure with one Czech line that names the cause.
void CheckSigningCertificate(const SigningRequest& request, const std::string& password);

// Signs a Windows program in place with osslsigncode (SHA-256, and the
// timestamp of the request's server); it keeps its mode. The password reaches
// osslsigncode through a pipe, never a file or its environment. Throws
// AdapterFailure naming the file and the cause; the file is then unchanged.
void SignProgram(const std::filesystem::path& program, const SigningRequest& request,
                 const std::string& password);

} // namespace tornavel::iscc
