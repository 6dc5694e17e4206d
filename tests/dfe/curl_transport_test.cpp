#include "dfe/curl_transport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "dfe/certificate.h"
#include "dfe/distribution_request.h"
#include "tests/dfe/support/served_distribution.h"
#include "tests/dfe/support/test_certificates.h"

namespace dfe {
namespace {

using namespace std::chrono_literals;
using test_support::ServedDistribution;
using test_support::SharedTestCertificates;
using ::testing::HasSubstr;

// The settings of a client that presents the sample A1.
TlsSettings ClientSettings(bool trustTheSampleAuthority = true) {
    const auto& shared = SharedTestCertificates();
    const CompanyCertificate a1 = CompanyCertificate::ReadFile(shared.files.a1, shared.Password());
    TlsSettings settings;
    settings.clientCertificate = a1;
    if (trustTheSampleAuthority) {
        settings.extraAuthorities.push_back(shared.files.authority);
    }
    settings.totalTimeout = 10s;
    return settings;
}

std::string Request(DistributionQuery query = DistNsu{0}) {
    return DistributionEnvelope(
        {Environment::production, std::nullopt, Party{Party::Kind::cnpj, "44555666000181"}, query});
}

TransportError::Kind FailureOf(Transport& transport, const std::string& url, std::string& message) {
    try {
        transport.Post(url, Request(), kDistributionContentType);
    } catch (const TransportError& error) {
        message = error.what();
        return error.kind();
    }
    ADD_FAILURE() << "the request went through";
    return TransportError::Kind::other;
}

TEST(CurlTransport, PresentsTheA1AndTrustsTheExtraAuthority) {
    ServedDistribution served;
    CurlTransport transport(ClientSettings());
    // The handle serves request after request; the second asks one document by its NSU, since
    // the service holds a party that asks from below the last NSU it was given.
    for (const DistributionQuery& query :
         {DistributionQuery{DistNsu{0}}, DistributionQuery{ConsNsu{1}}}) {
        const HttpAnswer answer =
            transport.Post(served.Url(), Request(query), kDistributionContentType);
        EXPECT_EQ(answer.status, 200);
        EXPECT_THAT(answer.contentType, HasSubstr("application/soap+xml"));
        EXPECT_THAT(answer.body, HasSubstr("<cStat>138</cStat>"));
    }
    EXPECT_THAT(served.Log().front(), HasSubstr("44555666000181 distNSU"));
}

TEST(CurlTransport, NeverTalksToAServerItDoesNotTrust) {
    ServedDistribution served;
    CurlTransport transport(ClientSettings(false));
    std::string message;
    EXPECT_EQ(FailureOf(transport, served.Url(), message), TransportError::Kind::serverNotTrusted);
    EXPECT_THAT(message, HasSubstr("não passou na verificação"));
    EXPECT_TRUE(served.Log().empty());
}

TEST(CurlTransport, AServerThatRefusesTheCertificateIsReportedSo) {
    ServedDistribution served({.fault = sample::DistributionFault::refuseCertificate});
    CurlTransport transport(ClientSettings());
    std::string message;
    EXPECT_EQ(FailureOf(transport, served.Url(), message),
              TransportError::Kind::certificateRefused);
    EXPECT_THAT(message, HasSubstr("recusou o certificado digital"));

    // A client without a certificate is refused at the handshake by any server.
    ServedDistribution ordinary;
    TlsSettings anonymous;
    anonymous.extraAuthorities.push_back(SharedTestCertificates().files.authority);
    CurlTransport withoutCertificate(std::move(anonymous));
    EXPECT_EQ(FailureOf(withoutCertificate, ordinary.Url(), message),
              TransportError::Kind::certificateRefused)
        << message;
    EXPECT_TRUE(ordinary.Log().empty());
}

TEST(CurlTransport, GivesUpOnASlowOrMissingServer) {
    ServedDistribution served({.fault = sample::DistributionFault::slow, .slowDelay = 30s});
    TlsSettings settings = ClientSettings();
    settings.totalTimeout = 1s;
    CurlTransport transport(std::move(settings));
    std::string message;
    EXPECT_EQ(FailureOf(transport, served.Url(), message), TransportError::Kind::timedOut);
    EXPECT_THAT(message, HasSubstr("não respondeu a tempo (1 segundo)"));

    EXPECT_EQ(FailureOf(transport, "https://127.0.0.1:1/", message),
              TransportError::Kind::unreachable);
    EXPECT_EQ(FailureOf(transport, "http://127.0.0.1:1/", message), TransportError::Kind::other);
}

TEST(CurlTransport, RefusesAnAuthorityFileWithoutCertificates) {
    TlsSettings settings;
    settings.extraAuthorities.push_back(SharedTestCertificates().files.a1);
    EXPECT_THROW(CurlTransport{std::move(settings)}, Error);
}

}  // namespace
}  // namespace dfe
