// Throughput of the report cipher against OpenSSL's own Blowfish-CBC (EVP) on the same bytes. Both run
// one Blowfish block function call per 8 bytes, so EVP is the bar the hot loop should come close to;
// EncryptReportText adds the Windows-1252 conversion and Base64 on top.
#include <benchmark/benchmark.h>
#include <openssl/evp.h>
#include <openssl/provider.h>

#include <QByteArray>
#include <QString>
#include <array>
#include <map>
#include <memory>
#include <string>

#include "BenchRatio.h"
#include "core/Windows1252.h"
#include "transmission/BlowfishCipher.h"
#include "transmission/Ripemd256.h"

namespace {

using telvainn::BlowfishCipher;

// A report document as it is encrypted: XML lines of codes, amounts and Norwegian texts.
QString reportLikeText(qsizetype size) {
    QString text;
    text.reserve(size + 200);
    text += QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<Rapport Dsnr=\"101\" Regnr=\"2001\">\r\n");
    const QString row =
        QStringLiteral("  <Rad Kode=\"%1\" Beløp=\"%2\">Særskilt avsetning for året</Rad>\r\n");
    for (int i = 0; text.size() < size; ++i) {
        text += row.arg(1000 + i % 9000).arg((i * 7919LL) % 1000003 - 500000);
    }
    text.truncate(size);
    return text;
}

const QString& textOfSize(qsizetype size) {
    static std::map<qsizetype, QString> texts;
    auto it = texts.find(size);
    if (it == texts.end()) {
        it = texts.emplace(size, reportLikeText(size)).first;
    }
    return it->second;
}

void encryptReportText(benchmark::State& state, qsizetype size) {
    const BlowfishCipher cipher;
    const QString& text = textOfSize(size);
    for (auto _ : state) {
        QByteArray base64 = cipher.EncryptReportText(text);
        benchmark::DoNotOptimize(base64.data());
    }
    state.SetBytesProcessed(state.iterations() * size);
}

void encryptBytes(benchmark::State& state, qsizetype size) {
    const BlowfishCipher cipher;
    const QByteArray bytes = telvainn::toWindows1252(textOfSize(size));
    for (auto _ : state) {
        QByteArray encrypted = cipher.encrypt(bytes);
        benchmark::DoNotOptimize(encrypted.data());
    }
    state.SetBytesProcessed(state.iterations() * size);
}

// OpenSSL 3 keeps Blowfish in the legacy provider; loading any provider explicitly stops the default
// one from loading by itself, so both are loaded.
bool loadLegacyProvider() {
    static const bool loaded =
        OSSL_PROVIDER_load(nullptr, "legacy") != nullptr && OSSL_PROVIDER_load(nullptr, "default") != nullptr;
    return loaded;
}

struct CipherContextDeleter {
    void operator()(EVP_CIPHER_CTX* ctx) const { EVP_CIPHER_CTX_free(ctx); }
};

void evpBlowfishCbc(benchmark::State& state, qsizetype size) {
    if (!loadLegacyProvider()) {
        state.SkipWithError("the OpenSSL legacy provider (Blowfish) could not be loaded");
        return;
    }
    const QByteArray bytes = telvainn::toWindows1252(textOfSize(size));
    const auto key = telvainn::ripemd256(
        QByteArrayView(BlowfishCipher::kKeyString.data(), BlowfishCipher::kKeyString.size()));
    const std::array<unsigned char, 8> iv = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

    const std::unique_ptr<EVP_CIPHER_CTX, CipherContextDeleter> ctx(EVP_CIPHER_CTX_new());
    // The 32-byte key is longer than Blowfish's EVP default of 16, so the length is set before the key.
    if (EVP_EncryptInit_ex2(ctx.get(), EVP_bf_cbc(), nullptr, nullptr, nullptr) != 1 ||
        EVP_CIPHER_CTX_set_key_length(ctx.get(), static_cast<int>(key.size())) != 1 ||
        EVP_CIPHER_CTX_set_padding(ctx.get(), 0) != 1 ||
        EVP_EncryptInit_ex2(ctx.get(), nullptr, key.data(), iv.data(), nullptr) != 1) {
        state.SkipWithError("EVP_bf_cbc could not be set up");
        return;
    }
    // Whole blocks only, as padding is off; the sizes here are multiples of 8 anyway.
    const int length = static_cast<int>(bytes.size() - bytes.size() % 8);
    for (auto _ : state) {
        // Like our cipher, a fresh output buffer and a chain that starts from the IV for every text.
        QByteArray encrypted(length, Qt::Uninitialized);
        int written = 0;
        if (EVP_EncryptInit_ex2(ctx.get(), nullptr, nullptr, iv.data(), nullptr) != 1 ||
            EVP_EncryptUpdate(ctx.get(), reinterpret_cast<unsigned char*>(encrypted.data()), &written,
                              reinterpret_cast<const unsigned char*>(bytes.constData()), length) != 1) {
            state.SkipWithError("EVP_EncryptUpdate failed");
            return;
        }
        benchmark::DoNotOptimize(encrypted.data());
    }
    state.SetBytesProcessed(state.iterations() * length);
}

const bool registered = [] {
    constexpr std::array<std::pair<qsizetype, const char*>, 2> sizes = {
        {{1 << 20, "1MiB"}, {16 << 20, "16MiB"}}};
    for (const auto& [size, label] : sizes) {
        const std::string suffix = std::string("/") + label;
        const std::string reference = "EVP_bf_cbc" + suffix;
        benchmark::RegisterBenchmark(("EncryptReportText" + suffix).c_str(), encryptReportText, size)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("encrypt" + suffix).c_str(), encryptBytes, size)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(reference.c_str(), evpBlowfishCbc, size)->Unit(benchmark::kMillisecond);
        telvainn::bench::registerRatio("encrypt" + suffix, reference);
        telvainn::bench::registerRatio("EncryptReportText" + suffix, reference);
    }
    return true;
}();

}  // namespace
