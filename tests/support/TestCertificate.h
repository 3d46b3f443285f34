#pragma once

#include <filesystem>
#include <string>

namespace tornavel::test {

// A self-signed code-signing certificate for the tests, made with OpenSSL:
// a PKCS#12 file (the certificate and its key under the password), and the
// same certificate and key as PEM files. validDays < 0 gives one that expired
// that many days ago.
struct TestCertificate {
    std::filesystem::path pkcs12;
    std::filesystem::path certificatePem;
    std::filesystem::path keyPem;
};
TestCertificate MakeTestCertificate(const std::filesystem::path& folder, const std::string& name,
                                    const std::string& password, int validDays = 365);

} // namespace tornavel::test
