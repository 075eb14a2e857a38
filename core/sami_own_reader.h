#pragma once
// Reading a SAMI caption file for Import SAMI. The reader is a small tokenizer over
// the file's bytes, built to read back what Export SAMI writes: STYLE classes become
// languages, SYNC tags rows with their start times, and the rest of the line after a
// P tag the caption of its class in the newest row. Tag names, keys and class names
// are compared byte-wise and case-sensitively; anything else is passed over.
//
// Any input is safe: every scan stays inside the data, and words are read from a
// tag only up to the tag's end.

#include "core/caption_document.h"
#include "core/code_page.h"

#include <string>
#include <string_view>
#include <utility>

namespace zav {

// What the reader builds, in file order. It starts from a document without
// languages and rows; language indices count the languages it added.
class SamiImportTarget {
public:
    virtual ~SamiImportTarget() = default;
    // A style class with its names; it has no texts yet.
    virtual void addLanguage(LanguageClass language) = 0;
    // A SYNC tag: appends a row without time. False when no row could be added (as
    // without any language); the tag's time is then dropped.
    virtual bool addRow() = 0;
    virtual int rowCount() const = 0;
    virtual void setStartTime(int row, double ms) = 0;
    virtual void setText(int language, int row, std::u16string_view text) = 0;
    // The end of a BODY section (its end tag, or the end of the data).
    virtual void endBody() = 0;
};

// Builds a CaptionDocument, refusing rows without a language as the panel does.
class SamiDocumentTarget final : public SamiImportTarget {
public:
    SamiDocumentTarget(CaptionDocument& document, const CodePageConverter& codePage)
        : document_(document), codePage_(codePage) {}
    void addLanguage(LanguageClass language) override { document_.appendLanguage(std::move(language)); }
    bool addRow() override {
        if (document_.appendRow()) return true;
        ++refusedRows;
        return false;
    }
    int rowCount() const override { return document_.rowCount(); }
    void setStartTime(int row, double ms) override { document_.setStartTime(row, ms, codePage_); }
    void setText(int language, int row, std::u16string_view text) override { document_.setText(language, row, text); }
    void endBody() override { ++bodiesEnded; }

    int refusedRows = 0;
    int bodiesEnded = 0;

private:
    CaptionDocument& document_;
    const CodePageConverter& codePage_;
};

// What text-mode input hands the reader for the bytes on disk: every CR LF pair
// arrives as one LF; a CR on its own stays.
std::string textModeInput(std::string_view bytes);

// A SYNC value as a start time: the leading decimal number (sign, digits, fraction,
// exponent), the rest ignored. No number, or one beyond the range of a double,
// gives 0.
double samiStartValue(std::string_view value);

// Reads the file's data (as text mode delivers it) into the target.
void readSami(std::string data, const CodePageConverter& codePage, SamiImportTarget& target);

}  // namespace zav
