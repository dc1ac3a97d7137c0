#include "registers/iban.h"

#include <gtest/gtest.h>

namespace {

// Published example accounts, as printed and as typed with a slip.
TEST(Iban, ThePrintedFormEntersWithoutBlanksAndTheControlDigitsDecide) {
    const struct {
        const char* typed;
        const char* kept;
        bool valid;
    } cases[] = {
        {"IT60 X054 2811 1010 0000 0123 456", "IT60X0542811101000000123456", true},
        {"it60x0542811101000000123456", "IT60X0542811101000000123456", true},
        {"GB82 WEST 1234 5698 7654 32", "GB82WEST12345698765432", true},
        {"DE89-3704-0044-0532-0130-00", "DE89370400440532013000", true},
        {"IT61 X054 2811 1010 0000 0123 456", "IT61X0542811101000000123456", false},
        {"IT60 X054 2811 1010 0000 0123 465", "IT60X0542811101000000123465", false},
        {"GB82 WEST 1234 5698 7654 3", "GB82WEST1234569876543", false},
        {"6060 X054 2811 1010 0000 0123 456", "6060X0542811101000000123456", false},
        {"IT60", "IT60", false},
        {"", "", false},
    };
    for (const auto& c : cases) {
        const QString kept = registers::ibanCharacters(QString::fromUtf8(c.typed));
        EXPECT_EQ(kept, c.kept) << c.typed;
        EXPECT_EQ(registers::ibanCharacters(kept), kept) << c.typed;
        EXPECT_EQ(registers::isValidIban(kept), c.valid) << c.typed;
    }
}

}  // namespace
