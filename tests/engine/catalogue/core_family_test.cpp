#include "engine/catalogue/core_family.h"

#include <gtest/gtest.h>

#include <optional>

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

TEST(CoreOrigin, TheThreeKindsAndNothingElse) {
    const struct {
        const char* text;
        std::optional<CoreOrigin> origin;
    } cases[] = {
        {"", CoreOrigin::Unstated},
        {"  ", CoreOrigin::Unstated},
        {"数据手册", CoreOrigin::DataSheet},
        {"数据手册（TDK/EPCOS）", CoreOrigin::DataSheet},
        {" 数据手册（Acme 2024） ", CoreOrigin::DataSheet},
        {"按尺寸计算（已验证 ±3%）", CoreOrigin::Computed},
        {"按尺寸估算（±10%）", CoreOrigin::Estimate},
        {"数据手册（）", std::nullopt},
        {"数据手册(TDK)", std::nullopt},
        {"数据手册TDK", std::nullopt},
        {"按尺寸估算(±10%)", std::nullopt},
        {"按尺寸计算", std::nullopt},
        {"datasheet", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(coreOrigin(QString::fromUtf8(c.text)), c.origin) << c.text;
    }
}

}  // namespace
}  // namespace kelvane::catalogue
