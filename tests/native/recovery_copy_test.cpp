// The recovery copy reads back exactly what it was written from, refuses damaged
// copies with a reason, and its schedule writes after a rest or an interval.
#include "core/recovery_copy.h"
#include "core/recovery_schedule.h"
#include "tests/native/iconv_code_page.h"

#include <gtest/gtest.h>

#include <string>

namespace zav {
namespace {

const test::IconvCodePage kCodePage;

RecoveryCopy sampleCopy(int rows) {
    CaptionDocument document;
    document.appendLanguage(LanguageClass("ENUSCC", "English", "en-US"));
    document.appendLanguage(LanguageClass("FRCC", "Fran\xE7" "ais\tx", "fr"));
    document.appendLanguage(LanguageClass("EMPTY", "", ""));
    const std::u16string awkward[] = {u"",          u"Plain",        u"tab\there\\back",  u"two\r\nlines",
                                      u"caf\u00E9 \u4E2D", u"\U0001F600 pair", std::u16string(1, u'\xD800') + u"x",
                                      u"end \xDC01", u"<br>&amp;", std::u16string(1, u'\x01')};
    for (int row = 0; row < rows; ++row) {
        document.appendRow();
        if (row % 3 != 1) document.setStartTime(row, row * 1000.5 + 0.1, kCodePage);
        document.setText(0, row, awkward[row % 10]);
        document.setText(1, row, row % 2 ? u"" : awkward[(row + 3) % 10]);
    }
    document.setCurrentLanguage(1);
    RecoveryCopy copy;
    copy.savedAt = "2026-12-09 01:40:12";
    copy.document = captureState(document, nullptr, nullptr);
    copy.document.selectedRow = rows > 2 ? 2 : -1;
    copy.document.topRow = rows > 1 ? 1 : 0;
    copy.mediaPath = u"C:\\Films\\d\u00E9j\u00E0 vu.wmv";
    return copy;
}

void expectSame(const RecoveryCopy& a, const RecoveryCopy& b) {
    EXPECT_TRUE(sameRecoveryContent(a, b));
    EXPECT_EQ(a.savedAt, b.savedAt);
    EXPECT_EQ(a.document.topRow, b.document.topRow);
    const CaptionDocument x = documentOf(a.document, kCodePage);
    const CaptionDocument y = documentOf(b.document, kCodePage);
    ASSERT_EQ(x.rowCount(), y.rowCount());
    EXPECT_EQ(x.currentLanguage(), y.currentLanguage());
    for (int row = 0; row < x.rowCount(); ++row) EXPECT_EQ(x.times()[row].startMs, y.times()[row].startMs);
    for (int l = 0; l < x.languageCount(); ++l) {
        EXPECT_EQ(x.language(l).className(), y.language(l).className());
        EXPECT_EQ(x.language(l).displayName(), y.language(l).displayName());
        EXPECT_EQ(x.language(l).langCode(), y.language(l).langCode());
        EXPECT_EQ(x.language(l).texts(), y.language(l).texts());
    }
}

TEST(RecoveryCopy, EveryDocumentComesBackExactly) {
    RecoveryCopy transcript = sampleCopy(0);
    transcript.transcriptMode = true;
    transcript.transcriptText = u"Line one\r\nLine\ttwo \\ \U0001F600";
    transcript.transcriptName = u"C:\\notes.txt";
    RecoveryCopy noLanguages;
    noLanguages.document = captureState(CaptionDocument(), nullptr, nullptr);
    for (const RecoveryCopy& copy : {sampleCopy(1), sampleCopy(30), transcript, noLanguages}) {
        const std::string bytes = recoveryCopyBytes(copy);
        const RecoveryReadResult read = readRecoveryCopy(bytes);
        ASSERT_TRUE(read.copy) << read.problem;
        EXPECT_EQ(read.skippedLines, 0);
        expectSame(copy, *read.copy);
        // What the file holds does not depend on the line ends a copy tool may give it.
        std::string crlf;
        for (const char c : bytes) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        ASSERT_TRUE(readRecoveryCopy(crlf).copy);
        expectSame(copy, *readRecoveryCopy(crlf).copy);
    }
    EXPECT_EQ(recoveryCaptionCount(sampleCopy(30).document), 30);
}

TEST(RecoveryCopy, DamagedCopiesAreRefusedWithTheReason) {
    const std::string good = recoveryCopyBytes(sampleCopy(4));
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string bytes = good;
        bytes.replace(bytes.find(from), from.size(), to);
        return bytes;
    };
    const struct {
        std::string bytes;
        const char* problem;
    } cases[] = {
        {"", "not a recovery copy"},
        {"ZAV Caption recovery copy 2\nend\n", "not a recovery copy"},
        {good.substr(0, good.size() - 4), "the copy is cut short"},
        {replaced("row 0.10000000000000001\t", "row x\t"), "line 10: a bad number"},
        {replaced("row 0.10000000000000001\t", "row nan\t"), "line 10: a bad number"},
        {replaced("selected 2", "selected 28888888888888888888888"), "line 5: a bad number"},
        {replaced("row 0.10000000000000001\t", "row 0.1\tone more\t"), "line 10: a row with another number of texts"},
        {replaced("Plain", "Pl\\qain"), "line 11: a bad escape"},
        {replaced("Plain", "Pl\\u00"), "line 11: an escape is cut short"},
        {replaced("Plain", "Pl\xC3"), "line 11: text that is not UTF-8"},
        {replaced("current 1", "current 3"), "line 14: the shown language names none"},
        {replaced("language ENUSCC", "row 5\tx\nlanguage ENUSCC"), "line 7: a row before any language"},
    };
    for (const auto& c : cases) {
        const RecoveryReadResult read = readRecoveryCopy(c.bytes);
        EXPECT_FALSE(read.copy) << c.problem;
        EXPECT_EQ(read.problem, c.problem);
    }
    // A later version's lines are passed over.
    const RecoveryReadResult later = readRecoveryCopy(replaced("current", "zoom 3\ncurrent"));
    ASSERT_TRUE(later.copy);
    EXPECT_EQ(later.skippedLines, 1);
}

TEST(RecoverySchedule, CopiesAfterARestOrAnIntervalOfSteadyChanges) {
    const RecoveryTiming timing = recoveryTimingOf(true, 60);
    EXPECT_EQ(timing.quietMs, 3000);
    EXPECT_EQ(recoveryTimingOf(true, 1).intervalMs, kMinRecoveryIntervalSeconds * 1000);
    EXPECT_EQ(recoveryTimingOf(true, 1).quietMs, 3000);
    EXPECT_EQ(recoveryTimingOf(true, 99999).intervalMs, kMaxRecoveryIntervalSeconds * 1000);

    RecoverySchedule schedule(timing);
    EXPECT_FALSE(schedule.due(100000));
    // Typing every second for a minute and a half: due at the interval, not before.
    int firstDue = -1;
    for (int second = 0; second <= 90 && firstDue < 0; ++second) {
        schedule.changed(second * 1000);
        if (schedule.due(second * 1000)) firstDue = second;
    }
    EXPECT_EQ(firstDue, 60);
    schedule.written();
    // One change, then rest: due once the rest is three seconds long.
    schedule.changed(100000);
    EXPECT_FALSE(schedule.due(102999));
    EXPECT_TRUE(schedule.due(103000));
    // A failed write waits an interval before it is tried again.
    schedule.failed(103000);
    EXPECT_FALSE(schedule.due(162999));
    EXPECT_TRUE(schedule.due(163000));
    // Back to the copy's content, or turned off: nothing is due.
    schedule.settled();
    EXPECT_FALSE(schedule.due(200000));
    schedule.changed(200000);
    schedule.setTiming(recoveryTimingOf(false, 60));
    EXPECT_FALSE(schedule.due(300000));
}

}  // namespace
}  // namespace zav
