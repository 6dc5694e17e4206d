#include "capture/saved_page.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

namespace capture {
namespace {

TEST(DecodeSavedPage, DecodesByTheDeclaredCharset) {
    struct Case {
        const char* what;
        std::string file;
        std::string utf8;
    };
    const Case cases[] = {
        {"meta charset windows-1252", "<meta charset=\"windows-1252\"><p>Emiss\xE3o",
         "<meta charset=\"windows-1252\"><p>Emissão"},
        {"http-equiv with ISO-8859-1 in capitals",
         "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; Charset = 'ISO-8859-1'\">\xC7",
         "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; Charset = 'ISO-8859-1'\">Ç"},
        {"declared UTF-8", "<meta charset=utf-8>Emissão", "<meta charset=utf-8>Emissão"},
        {"nothing declared, valid UTF-8", "<p>Emissão €", "<p>Emissão €"},
        {"nothing declared, not UTF-8", "<p>\x80 10", "<p>€ 10"},
        {"byte order mark dropped", "\xEF\xBB\xBF<meta charset=windows-1252>é",
         "<meta charset=windows-1252>é"},
        {"the first declaration wins",
         "<meta http-equiv=content-type content=\"text/html;charset=windows-1252\">"
         "<meta charset=utf-8>\xE9",
         "<meta http-equiv=content-type content=\"text/html;charset=windows-1252\">"
         "<meta charset=utf-8>é"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeSavedPage(c.file), c.utf8) << c.what;
    }
}

TEST(DecodeSavedPage, RefusesOtherCharsets) {
    EXPECT_THAT([] { DecodeSavedPage("<meta charset=shift_jis>x"); },
                testing::ThrowsMessage<std::runtime_error>(
                    "Conjunto de caracteres não suportado: shift_jis"));
}

}  // namespace
}  // namespace capture
