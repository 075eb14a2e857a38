// Check limits: values as the user writes them, exact frame gaps, and the settings
// text kept in the registry.
#include "core/check_profile.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace zav {
namespace {

TEST(CheckProfile, LimitValuesReadAsWritten) {
    const struct {
        CheckLimit limit;
        const char* text;
        std::optional<int> value;
    } cases[] = {
        {CheckLimit::maxCps, "17", 1700},     {CheckLimit::maxCps, "12.5", 1250},  {CheckLimit::maxCps, "12.25", 1225},
        {CheckLimit::maxCps, "0.01", 1},      {CheckLimit::maxCps, "12.255", {}},  {CheckLimit::maxCps, "0", {}},
        {CheckLimit::maxCps, "17.", {}},      {CheckLimit::maxCps, ".5", {}},      {CheckLimit::maxCps, "1e2", {}},
        {CheckLimit::maxLineChars, "42", 42}, {CheckLimit::maxLineChars, "4.2", {}}, {CheckLimit::maxLines, "-1", {}},
        {CheckLimit::maxLines, " 2", {}},     {CheckLimit::minGapFrames, "0", 0},  {CheckLimit::minDurationMs, "", {}},
        {CheckLimit::maxDurationMs, "99999999999999999999", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseLimitValue(c.limit, c.text), c.value) << c.text;
        if (c.value) EXPECT_EQ(limitValueText(c.limit, *c.value), c.text);
    }
}

TEST(CheckProfile, GapsAreWholeFramesExactly) {
    const struct {
        FrameRate rate;
        int frames;
        std::int64_t shortest;  // the smallest gap in whole ms that passes
    } cases[] = {
        {FrameRate::fps25, 2, 80}, {FrameRate::fps2997, 2, 67}, {FrameRate::fps23976, 2, 84},
        {FrameRate::fps24, 2, 84}, {FrameRate::fps30, 2, 67},   {FrameRate::fps30, 3, 100},
        {FrameRate::fps25, 0, 0},
    };
    for (const auto& c : cases) {
        CheckLimits limits;
        limits.frameRate = c.rate;
        limits.minGapFrames = c.frames;
        EXPECT_TRUE(gapIsEnough(c.shortest, limits)) << frameRateName(c.rate) << ' ' << c.frames;
        EXPECT_EQ(gapIsEnough(c.shortest - 1, limits), c.frames == 0) << frameRateName(c.rate) << ' ' << c.frames;
        EXPECT_EQ(frameRateOfName(frameRateName(c.rate)), c.rate);
    }
    CheckLimits ntsc;
    ntsc.frameRate = FrameRate::fps2997;
    EXPECT_NEAR(minGapMs(ntsc), 66.7333, 1e-4);
}

TEST(CheckProfile, SettingsTextRoundTrips) {
    std::mt19937 random(7);
    for (int i = 0; i < 300; ++i) {
        CheckSettings settings{checkProfiles()[random() % checkProfiles().size()].name, {}};
        settings.limits = checkProfileNamed(settings.profile)->limits;
        for (const CheckLimitInfo& info : checkLimitInfos()) {
            if (random() % 2 == 0) continue;
            const int range = info.maximum - info.minimum + 1;
            setLimitValue(settings.limits, info.limit, info.minimum + static_cast<int>(random() % range));
        }
        if (random() % 2) settings.limits.frameRate = kFrameRates[random() % 5];
        EXPECT_EQ(parseCheckSettings(checkSettingsText(settings)), settings) << checkSettingsText(settings);
    }
    CheckSettings narrow{"narrow", checkProfileNamed("narrow")->limits};
    narrow.limits.frameRate = FrameRate::fps2997;
    narrow.limits.maxCpsHundredths = 1550;
    EXPECT_EQ(checkSettingsText(narrow), "profile=narrow fps=29.97 max-cps=15.5");
}

TEST(CheckProfile, BadSettingsFallBackToTheProfile) {
    const CheckLimits children = checkProfileNamed("children")->limits;
    CheckSettings expected{"children", children};
    expected.limits.maxLines = 3;
    EXPECT_EQ(parseCheckSettings("max-lines=3 profile=children;max-cps=fast, fps=26;max-chars=;x=1;;junk "), expected);
    EXPECT_EQ(parseCheckSettings("profile=adults;max-lines=0"), (CheckSettings{"default", CheckLimits()}));
    EXPECT_EQ(parseCheckSettings(""), (CheckSettings{"default", CheckLimits()}));
    EXPECT_EQ(checkSettingsText(CheckSettings{"nonsense", CheckLimits()}), "profile=default");
}

}  // namespace
}  // namespace zav
