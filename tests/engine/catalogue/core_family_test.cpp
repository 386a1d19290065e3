#include "engine/catalogue/core_family.h"

#include <gtest/gtest.h>

namespace kelvane::catalogue {
namespace {

TEST(CoreFamily, LongestKnownPrefixInAnyCase) {
    const struct {
        const char* name;
        const char* family;
    } cases[] = {
        {"EE25/13/7", "EE"},   {"ee30", "EE"},         {"EC35", "EC"},    {"ER35/20/11", "ER"},
        {"EFD20/10/7", "EFD"}, {"efd15", "EFD"},       {"EPC17", "EPC"},  {"EP13", "EP"},
        {"EPO13", "EP"},       {"ETD29/16/10", "ETD"}, {"EQ30/8", "EQ"},  {"RM10", "RM"},
        {"RM10LP", "RM"},      {"POT18/11", "POT"},    {"PM50/39", "PM"}, {"PQ26/25", "PQ"},
        {"UU93/152/30", "UU"}, {"TOR25/15/10", "TOR"}, {"EER28", "EE"},   {"EI25", "EI"},
        {"T25/15/10", "T"},    {"O'Brien20", "O"},     {"9mm", ""},       {"", ""},
        {"磁芯12", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(coreFamily(QString::fromUtf8(c.name)), QString::fromLatin1(c.family)) << c.name;
    }
}

}  // namespace
}  // namespace kelvane::catalogue
