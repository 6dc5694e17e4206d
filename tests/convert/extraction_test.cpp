#include <gtest/gtest.h>

#include <string>

#include "convert/field_after_label.h"
#include "convert/split_at_heading.h"
#include "convert/w1252_literal.h"
#include "text/character_filters.h"

namespace convert {
namespace {

TEST(FieldAfterLabel, ReadsTheValueAfterTheFirstOccurrence) {
    struct Case {
        std::string_view text;
        std::string_view label;
        int count;
        std::string_view expected;
    };
    const std::string_view page = "CNPJ 12.345|&|UF SP|&|";
    const Case cases[] = {
        {page, "cnpj", 0, "12.345"},
        {page, "cnpj", -3, "12.345"},
        // The blank after the label is the first of the two characters.
        {page, "UF", 2, "S"},
        {page, "UF ", 2, "SP"},
        {page, "IE", 0, ""},
        {page, "", 0, ""},
        {"Modelo|&|55|&|", "Modelo", 0, ""},
        {"CNPJ 1|&|UF SP", "UF", 0, ""},
        {"UF SP", "UF", 10, "SP"},
        {"UF", "UF", 3, ""},
        {"SUFRAMA 123|&|UF SP|&|", "UF", 0, "RAMA 123"},
        {"|&|Série|&|1|&|Número 55|&|"_w1252, "|&|Série|&|"_w1252, 0, "1"},
        {"Situação Atual: Autorizada|&|"_w1252, "Situação Atual: "_w1252, 0, "Autorizada"},
        {"SITUAÇÃO ATUAL: Autorizada|&|"_w1252, "Situação Atual: "_w1252, 0, ""},
        {"tipo de emissão Normal|&|"_w1252, "Tipo de Emissão"_w1252, 0, "Normal"},
        {"TIPO DE EMISSão Normal|&|"_w1252, "Tipo de Emissão"_w1252, 0, "Normal"},
        // The value keeps its case and its accented bytes; trimming stops at codes above 32.
        {"Nome: \t José da Conceição \r|&|"_w1252, "NOME:", 0, "José da Conceição"_w1252},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FieldAfterLabel(c.text, c.label, c.count), c.expected)
            << c.text << " / " << c.label << " / " << c.count;
    }
}

class SplitAtHeadingTest : public ::testing::Test {
protected:
    std::string rest{"|&|Emitente|&|Nome A|&|Destinatário|&|Nome B"_w1252};
    std::string before{"left over"};
};

TEST_F(SplitAtHeadingTest, CutsTheRemainderPassedAsTextAndRest) {
    SplitAtHeading("|&|DESTINATÁRIO "_w1252, rest, rest, before);
    EXPECT_EQ(before, "");  // "á" is not folded, so the heading is absent
    EXPECT_EQ(rest, "|&|Emitente|&|Nome A|&|Destinatário|&|Nome B"_w1252);

    SplitAtHeading(" |&|destinatário "_w1252, rest, rest, before);
    EXPECT_EQ(before, "|&|Emitente|&|Nome A");
    EXPECT_EQ(rest, "|&|Destinatário|&|Nome B"_w1252);

    SplitAtHeading("|&|Destinatário"_w1252, rest, rest, before);
    EXPECT_EQ(before, "");
    EXPECT_EQ(rest, "|&|Destinatário|&|Nome B"_w1252);
}

TEST_F(SplitAtHeadingTest, BlankHeadingIsNeverFound) {
    const std::string page = rest;
    SplitAtHeading("  ", page, rest, before);
    EXPECT_EQ(before, "");
    EXPECT_EQ(rest, page);
}

TEST_F(SplitAtHeadingTest, SplitsIntoASeparateString) {
    std::string additional = "unchanged";
    SplitAtHeading("Nome", rest, additional, before);
    EXPECT_EQ(before, "|&|Emitente|&|");
    EXPECT_EQ(additional, "Nome A|&|Destinatário|&|Nome B"_w1252);
    EXPECT_EQ(rest, "|&|Emitente|&|Nome A|&|Destinatário|&|Nome B"_w1252);
}

TEST(CharacterFilters, KeepOnlyTheirCharacters) {
    EXPECT_EQ(text::DigitsOnly("35 1-5 04"), "351504");
    EXPECT_EQ(text::DigitsOnly("CNPJ: 12.345.678/0001-90"), "12345678000190");
    EXPECT_EQ(text::DigitsOnly("sem número"_w1252), "");
    EXPECT_EQ(text::LettersAndDigitsOnly("Isento-123"), "Isento123");
    EXPECT_EQ(text::LettersAndDigitsOnly("Inscrição"_w1252), "Inscrio");
    EXPECT_EQ(text::LettersAndDigitsOnly("a_b z{9}"), "abz9");
}

}  // namespace
}  // namespace convert
