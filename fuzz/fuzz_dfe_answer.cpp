// Bytes of any kind as the distribution service's answer, as the packed content of one of its
// documents, and as the event service's answer. Whatever cannot be read must end in AnswerError;
// anything else (a crash, a leak, a hang, memory without bound) is a fault.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "dfe/distribution_answer.h"
#include "dfe/doc_zip.h"
#include "dfe/error.h"
#include "dfe/event_answer.h"
#include "dfe/received_document.h"

namespace {

std::string Base64(std::string_view bytes) {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        std::uint32_t group = 0;
        const std::size_t count = std::min<std::size_t>(3, bytes.size() - i);
        for (std::size_t j = 0; j < 3; ++j) {
            group = (group << 8) | (j < count ? static_cast<unsigned char>(bytes[i + j]) : 0u);
        }
        for (std::size_t j = 0; j < 4; ++j) {
            text += j <= count ? kAlphabet[(group >> (18 - 6 * j)) & 0x3F] : '=';
        }
    }
    return text;
}

void ReadDocument(const dfe::DocZip& zip) {
    try {
        const dfe::ReceivedDocument document = dfe::ReadReceivedDocument(zip);
        // A name is built only from checked digits: no path can come out of a document.
        if (document.FileName().find('/') != std::string::npos) {
            __builtin_trap();
        }
    } catch (const dfe::AnswerError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    try {
        for (const dfe::DocZip& zip : dfe::ParseDistributionAnswer(input).documents) {
            ReadDocument(zip);
        }
    } catch (const dfe::AnswerError&) {
    }

    try {
        dfe::ParseEventAnswer(input);
    } catch (const dfe::AnswerError&) {
    }

    // The same bytes as Base64 text, and as the gzip inside a docZip of each schema.
    try {
        dfe::UnpackDocZip(input);
    } catch (const dfe::AnswerError&) {
    }
    const std::string packed = Base64(input);
    for (const char* schema : {"procNFe_v4.00.xsd", "resNFe_v1.01.xsd", "procEventoNFe_v1.00.xsd",
                               "resEvento_v1.01.xsd"}) {
        ReadDocument({1, schema, packed});
    }
    return 0;
}
