#include "dfe/doc_zip.h"

#include <zlib.h>

#include <array>
#include <memory>

#include "dfe/error.h"

namespace dfe {
namespace {

constexpr std::array<signed char, 256> DecodingTable() {
    std::array<signed char, 256> table{};
    table.fill(-1);
    constexpr std::string_view kAlphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (std::size_t i = 0; i < kAlphabet.size(); ++i) {
        table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<signed char>(i);
    }
    return table;
}

constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string DecodeBase64(std::string_view text) {
    static constexpr std::array<signed char, 256> kTable = DecodingTable();
    const auto invalid = [] { return AnswerError("o conteúdo do documento não é Base64 válido"); };
    std::string bytes;
    bytes.reserve(text.size() / 4 * 3);
    std::uint32_t group = 0;
    int count = 0;
    int padding = 0;
    bool ended = false;
    for (const char c : text) {
        if (IsBlank(c)) {
            continue;
        }
        if (ended) {
            throw invalid();
        }
        if (c == '=') {
            if (count < 2) {
                throw invalid();
            }
            ++padding;
        } else {
            const signed char value = kTable[static_cast<unsigned char>(c)];
            if (value < 0 || padding > 0) {
                throw invalid();
            }
            group = (group << 6) | static_cast<std::uint32_t>(value);
        }
        if (++count == 4) {
            group <<= 6 * padding;
            const char three[] = {static_cast<char>(group >> 16),
                                  static_cast<char>((group >> 8) & 0xFF),
                                  static_cast<char>(group & 0xFF)};
            bytes.append(three, static_cast<std::size_t>(3 - padding));
            ended = padding > 0;
            group = 0;
            count = 0;
        }
    }
    if (count != 0) {
        throw invalid();
    }
    return bytes;
}

// One or more gzip members one after the other, as gzip allows.
std::string Gunzip(std::string_view packed) {
    if (packed.empty()) {
        throw AnswerError("o documento veio vazio");
    }
    z_stream stream{};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK) {
        throw std::bad_alloc();
    }
    const std::unique_ptr<z_stream, decltype(&inflateEnd)> end(&stream, inflateEnd);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    stream.avail_in = static_cast<uInt>(packed.size());

    std::string bytes;
    std::array<char, 1 << 16> chunk;
    for (;;) {
        stream.next_out = reinterpret_cast<Bytef*>(chunk.data());
        stream.avail_out = static_cast<uInt>(chunk.size());
        const int result = inflate(&stream, Z_NO_FLUSH);
        const std::size_t produced = chunk.size() - stream.avail_out;
        if (bytes.size() + produced > kMaxDocumentBytes) {
            throw AnswerError("o documento passa de " + std::to_string(kMaxDocumentBytes >> 20) +
                              " MB depois de descompactado");
        }
        bytes.append(chunk.data(), produced);
        if (result == Z_STREAM_END) {
            if (stream.avail_in == 0) {
                return bytes;
            }
            if (inflateReset(&stream) != Z_OK) {
                throw AnswerError("o gzip do documento está danificado");
            }
        } else if (result == Z_BUF_ERROR ||
                   (result == Z_OK && stream.avail_in == 0 && stream.avail_out != 0)) {
            throw AnswerError("o gzip do documento termina antes do fim (está cortado)");
        } else if (result != Z_OK) {
            throw AnswerError("o gzip do documento está danificado");
        }
    }
}

}  // namespace

std::string UnpackDocZip(std::string_view base64) {
    return Gunzip(DecodeBase64(base64));
}

}  // namespace dfe
