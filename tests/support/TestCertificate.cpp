#include "support/TestCertificate.h"

#include <cstdio>
#include <memory>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/pkcs12.h>
#include <openssl/x509.h>
#include <stdexcept>

namespace tornavel::test {
namespace {

struct FileClose {
    void operator()(FILE* f) const { std::fclose(f); }
};

std::unique_ptr<FILE, FileClose> openForWriting(const std::filesystem::path& path) {
    std::unique_ptr<FILE, FileClose> file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        throw std::runtime_error("cannot write " + path.string());
    }
    return file;
}

} // namespace

TestCertificate MakeTestCertificate(const std::filesystem::path& folder, const std::string& name,
                                    const std::string& password, int validDays) {
    std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)> key(EVP_RSA_gen(2048), EVP_PKEY_free);
    std::unique_ptr<X509, decltype(&X509_free)> certificate(X509_new(), X509_free);
    X509_set_version(certificate.get(), 2);
    ASN1_INTEGER_set(X509_get_serialNumber(certificate.get()), 1);
    if (validDays >= 0) {
        X509_gmtime_adj(X509_getm_notBefore(certificate.get()), -60);
        X509_gmtime_adj(X509_getm_notAfter(certificate.get()), 86400L * validDays);
    } else {
        X509_gmtime_adj(X509_getm_notBefore(certificate.get()), 86400L * (validDays - 30));
        X509_gmtime_adj(X509_getm_notAfter(certificate.get()), 86400L * validDays);
    }
    X509_NAME* subject = X509_get_subject_name(certificate.get());
    X509_NAME_add_entry_by_txt(subject, "CN", MBSTRING_UTF8,
                               reinterpret_cast<const unsigned char*>(name.c_str()), -1, -1, 0);
    X509_set_issuer_name(certificate.get(), subject);
    X509_set_pubkey(certificate.get(), key.get());
    X509_sign(certificate.get(), key.get(), EVP_sha256());

    TestCertificate files{folder / (name + ".p12"), folder / (name + ".pem"),
                          folder / (name + ".key.pem")};
    std::unique_ptr<PKCS12, decltype(&PKCS12_free)> p12(
        PKCS12_create(password.c_str(), name.c_str(), key.get(), certificate.get(), nullptr, 0, 0,
                      0, 0, 0),
        PKCS12_free);
    i2d_PKCS12_fp(openForWriting(files.pkcs12).get(), p12.get());
    PEM_write_X509(openForWriting(files.certificatePem).get(), certificate.get());
    PEM_write_PrivateKey(openForWriting(files.keyPem).get(), key.get(), nullptr, nullptr, 0,
                         nullptr, nullptr);
    return files;
}

} // namespace tornavel::test
