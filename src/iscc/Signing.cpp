#include "iscc/Signing.h"

#include "iscc/Console.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "wine/AdapterProtocol.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/pkcs12.h>
#include <openssl/x509.h>
#include <sstream>
#include <sys/stat.h>
#include <system_error>
#include <vector>

namespace tornavel::iscc {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void fail(const std::string& text) {
    throw AdapterFailure("iscc: Chyba: " + text, kAdapterCannotRunExitCode);
}

std::string quoted(const std::string& text) {
    return "„" + text + "“";
}

std::string readWhole(const std::string& path, const std::string& what) {
    try {
        return ReadWholeFile(path);
    } catch (const InOutError& e) {
        fail(what + " " + quoted(path) +
             " nelze přečíst: " + InOutError::fromErrno(e.systemError()).what() + ".");
    }
}

struct BioFree {
    void operator()(BIO* bio) const { BIO_free(bio); }
};
struct X509Free {
    void operator()(X509* x) const { X509_free(x); }
};
struct KeyFree {
    void operator()(EVP_PKEY* k) const { EVP_PKEY_free(k); }
};
struct Pkcs12Free {
    void operator()(PKCS12* p) const { PKCS12_free(p); }
};
using Bio = std::unique_ptr<BIO, BioFree>;
using Certificate = std::unique_ptr<X509, X509Free>;
using PrivateKey = std::unique_ptr<EVP_PKEY, KeyFree>;

Bio memoryBio(const std::string& bytes) {
    return Bio(BIO_new_mem_buf(bytes.data(), static_cast<int>(bytes.size())));
}

// PEM's password callback, with the password as its user data.
int passwordCallback(char* buffer, int size, int, void* user) {
    const auto* password = static_cast<const std::string*>(user);
    const int length = std::min(size, static_cast<int>(password->size()));
    std::copy_n(password->data(), length, buffer);
    return length;
}

std::string dateOf(const ASN1_TIME* time) {
    std::tm parts{};
    if (ASN1_TIME_to_tm(time, &parts) != 1) {
        return "?";
    }
    char buffer[16];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%d", &parts);
    return buffer;
}

struct Opened {
    Certificate certificate;
    PrivateKey key;
};

// A PKCS#12 file, or nothing when the bytes are not one.
std::optional<Opened> openPkcs12(const std::string& bytes, const std::string& path,
                                 const std::string& password) {
    const Bio bio = memoryBio(bytes);
    std::unique_ptr<PKCS12, Pkcs12Free> p12(d2i_PKCS12_bio(bio.get(), nullptr));
    if (!p12) {
        return std::nullopt;
    }
    // An empty password and no password are different keys of a PKCS#12 file.
    const char* pass = password.c_str();
    if (!PKCS12_verify_mac(p12.get(), pass, static_cast<int>(password.size()))) {
        if (!password.empty() || !PKCS12_verify_mac(p12.get(), nullptr, 0)) {
            fail("Heslo k certifikátu " + quoted(path) + " je nesprávné.");
        }
        pass = nullptr;
    }
    EVP_PKEY* key = nullptr;
    X509* certificate = nullptr;
    if (PKCS12_parse(p12.get(), pass, &key, &certificate, nullptr) != 1 || !certificate) {
        EVP_PKEY_free(key);
        X509_free(certificate);
        fail("Certifikát " + quoted(path) +
             " nelze otevřít: " + ERR_reason_error_string(ERR_get_error()) + ".");
    }
    return Opened{Certificate(certificate), PrivateKey(key)};
}

Opened openPem(const std::string& bytes, const SigningRequest& request,
               const std::string& password) {
    Bio bio = memoryBio(bytes);
    Certificate certificate(PEM_read_bio_X509(bio.get(), nullptr, nullptr, nullptr));
    if (!certificate) {
        fail("Soubor " + quoted(request.certificate) +
             " není certifikát pro podpis (PKCS#12 ani PEM).");
    }
    const std::string keyPath = request.key.empty() ? request.certificate : request.key;
    const std::string keyBytes = request.key.empty() ? bytes : readWhole(keyPath, "Klíč");
    bio = memoryBio(keyBytes);
    ERR_clear_error();
    PrivateKey key(PEM_read_bio_PrivateKey(bio.get(), nullptr, passwordCallback,
                                           const_cast<std::string*>(&password)));
    if (!key) {
        const unsigned long error = ERR_peek_last_error();
        if (ERR_GET_REASON(error) == PEM_R_NO_START_LINE) {
            fail("V souboru " + quoted(keyPath) + " není soukromý klíč k certifikátu.");
        }
        fail("Heslo ke klíči " + quoted(keyPath) + " je nesprávné.");
    }
    return Opened{std::move(certificate), std::move(key)};
}

// The line of osslsigncode's output that says why it failed: the first that
// is not progress or its closing "Failed".
std::string reasonOf(const std::string& output) {
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line == "Failed" || line == "Succeeded" ||
            line.rfind("Connecting to", 0) == 0 || line.rfind("Use the", 0) == 0) {
            continue;
        }
        return line;
    }
    return "osslsigncode neuvedl důvod";
}

} // namespace

std::string SigningPassword(const SigningRequest& request) {
    std::string password;
    if (!request.passwordFile.empty()) {
        password = readWhole(request.passwordFile, "Soubor s heslem");
        password = password.substr(0, password.find_first_of("\r\n"));
    } else if (const char* variable = std::getenv(kSignPasswordVariable)) {
        password = variable;
    }
    return password;
}

void CheckSigningCertificate(const SigningRequest& request, const std::string& password) {
    const std::string bytes = readWhole(request.certificate, "Certifikát pro podpis");
    std::optional<Opened> opened = openPkcs12(bytes, request.certificate, password);
    if (!opened) {
        opened = openPem(bytes, request, password);
    }
    if (!opened->key) {
        fail("V certifikátu " + quoted(request.certificate) + " chybí soukromý klíč.");
    }
    if (X509_check_private_key(opened->certificate.get(), opened->key.get()) != 1) {
        fail("Klíč " + quoted(request.key.empty() ? request.certificate : request.key) +
             " nepatří k certifikátu " + quoted(request.certificate) + ".");
    }
    const ASN1_TIME* notAfter = X509_get0_notAfter(opened->certificate.get());
    if (X509_cmp_current_time(notAfter) < 0) {
        fail("Platnost certifikátu " + quoted(request.certificate) + " skončila dne " +
             dateOf(notAfter) + ".");
    }
    const ASN1_TIME* notBefore = X509_get0_notBefore(opened->certificate.get());
    if (X509_cmp_current_time(notBefore) > 0) {
        fail("Platnost certifikátu " + quoted(request.certificate) + " začíná až dne " +
             dateOf(notBefore) + ".");
    }
}

void SignProgram(const fs::path& program, const SigningRequest& request,
                 const std::string& password) {
    const std::string osslsigncode = FindInPath("osslsigncode");
    if (osslsigncode.empty()) {
        fail("Program osslsigncode nebyl nalezen (PATH); instalace se bez něj nedá podepsat. "
             "Nainstalujte ho skriptem scripts/install-deps.");
    }
    const fs::path signedCopy = program.string() + ".podepsany";
    std::vector<std::string> command{osslsigncode, "sign"};
    // A PKCS#12 file is binary; a PEM file begins with its armour line.
    const bool pem = !request.key.empty() ||
                     readWhole(request.certificate, "Certifikát pro podpis").starts_with("-----");
    if (pem) {
        command.insert(command.end(), {"-certs", request.certificate, "-key",
                                       request.key.empty() ? request.certificate : request.key});
    } else {
        command.insert(command.end(), {"-pkcs12", request.certificate});
    }
    // The password through a pipe, never a file nor the environment.
    if (!password.empty()) {
        command.insert(command.end(), {"-readpass", "/dev/fd/0"});
    }
    command.insert(command.end(), {"-h", "sha256"});
    if (!request.timestampUrl.empty()) {
        command.insert(command.end(), {"-ts", request.timestampUrl});
    } else if (request.signingTime) {
        command.insert(command.end(), {"-time", std::to_string(*request.signingTime)});
    }
    command.insert(command.end(), {"-in", program.string(), "-out", signedCopy.string()});

    std::string output;
    int code = 1;
    try {
        ProcessOptions options(command, {kSignPasswordVariable});
        options.input = ChildStream::text(password);
        code = RunAndWait(std::move(options),
                          {[&output](std::string_view bytes) { output.append(bytes); }, {}});
    } catch (const ProcessError& e) {
        output = e.what();
    }
    std::error_code ec;
    if (code != 0) {
        fs::remove(signedCopy, ec);
        const std::string reason = reasonOf(output);
        if (!request.timestampUrl.empty() && (output.find("imestamp") != std::string::npos ||
                                              output.find("HTTP") != std::string::npos)) {
            fail("Časové razítko se nepodařilo získat od serveru " + request.timestampUrl + ": " +
                 reason + ". Instalace proto není podepsána.");
        }
        fail("Soubor " + quoted(program.filename().string()) +
             " se nepodařilo podepsat: " + reason + ".");
    }
    // The signed installer is what the unsigned one would have been, mode
    // included.
    struct stat unsignedProgram {};
    if (::stat(program.c_str(), &unsignedProgram) == 0) {
        (void)::chmod(signedCopy.c_str(), unsignedProgram.st_mode & 07777);
    }
    fs::rename(signedCopy, program, ec);
    if (ec) {
        fs::remove(signedCopy, ec);
        fail("Podepsaný soubor " + quoted(program.string()) + " nelze uložit: " + ec.message() +
             ".");
    }
}

} // namespace tornavel::iscc
