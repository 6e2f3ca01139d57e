// A printer's short answer turned into the queue's settings, with the values a hostile or broken printer
// may send in place of real ones.
#include "platform/cups/CupsDefaultSettings.h"
#include "platform/cups/CupsOwners.h"
#include "platform/cups/CupsResolution.h"
#include "platform/cups/CupsWholeAnswer.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>

namespace {

struct MediaEntry {
    int width;
    int length;
    int margin;
};

IppMessage answerWith(const char* media, const std::vector<MediaEntry>& entries, int dpi) {
    IppMessage answer(ippNew());
    ipp_t* a = answer.get();
    ippAddString(a, IPP_TAG_PRINTER, IPP_TAG_KEYWORD, "media-default", nullptr, media);
    ippAddString(a, IPP_TAG_PRINTER, IPP_TAG_KEYWORD, "media-supported", nullptr, media);
    ipp_attribute_t* database = nullptr;
    for (const MediaEntry& e : entries) {
        IppMessage size(ippNew());
        ippAddInteger(size.get(), IPP_TAG_ZERO, IPP_TAG_INTEGER, "x-dimension", e.width);
        ippAddInteger(size.get(), IPP_TAG_ZERO, IPP_TAG_INTEGER, "y-dimension", e.length);
        IppMessage col(ippNew());
        ippAddCollection(col.get(), IPP_TAG_ZERO, "media-size", size.get());
        for (const char* side :
             {"media-left-margin", "media-right-margin", "media-top-margin", "media-bottom-margin"})
            ippAddInteger(col.get(), IPP_TAG_ZERO, IPP_TAG_INTEGER, side, e.margin);
        if (!database)
            database = ippAddCollection(a, IPP_TAG_PRINTER, "media-col-database", col.get());
        else
            ippSetCollection(a, &database, ippGetCount(database), col.get());
    }
    ippAddResolution(a, IPP_TAG_PRINTER, "printer-resolution-default", IPP_RES_PER_INCH, dpi, dpi);
    return answer;
}

TEST(CupsAnswers, SizesAndMarginsAsThePrinterClaimsThem) {
    const char* const a4 = "iso_a4_210x297mm";
    struct Case {
        const char* name;
        std::vector<MediaEntry> entries;
        std::optional<int> width; // of the settings, when there are any
    };
    const Case cases[] = {
        {"A4 as printers list it", {{21000, 29700, 300}}, 21000},
        {"within the slack of A4", {{21100, 29700, 300}}, 21100},
        // Differences that would overflow an int are no match at all, and not undefined.
        {"a width at the int's lower end", {{INT_MIN + 1000, 29700, 300}}, std::nullopt},
        {"a length at the int's upper end", {{21000, INT_MAX, 300}}, std::nullopt},
        {"both ends, then A4", {{INT_MIN, INT_MAX, 300}, {21000, 29700, 300}}, 21000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const IppMessage answer = answerWith(a4, c.entries, 300);
        cups_dest_t dest{const_cast<char*>("Queue"), nullptr, 1, 0, nullptr};
        const std::optional<DocumentSettings> settings = defaultSettingsFrom(answer.get(), &dest);
        ASSERT_EQ(settings.has_value(), c.width.has_value());
        if (settings) {
            EXPECT_EQ(settings->paperWidth, *c.width);
            EXPECT_EQ(settings->marginLeft, 300);
            EXPECT_EQ(settings->xResolution, 300);
        }
    }
}

// An answer as it comes off the wire, holding the one resolution printer-resolution-default.
QByteArray answerWithResolution(int across, int down, unsigned char units) {
    const QByteArray name("printer-resolution-default");
    QByteArray bytes("\x02\x00\x00\x00\x00\x00\x00\x01\x04\x32", 10);
    bytes += '\0';
    bytes += char(name.size());
    bytes += name;
    bytes += '\0';
    bytes += '\x09';
    for (int value : {across, down})
        for (int shift : {24, 16, 8, 0})
            bytes += char((value >> shift) & 0xff);
    bytes += char(units);
    bytes += '\x03';
    return bytes;
}

TEST(CupsAnswers, ResolutionsInTheUnitsThePrinterSends) {
    struct Case {
        const char* name;
        int across, down;
        unsigned char units;
        std::optional<Resolution> taken;
    };
    const Case cases[] = {
        {"dots per inch", 600, 300, 3, Resolution{600, 300}},
        {"dots per centimetre", 236, 118, 4, Resolution{599, 300}},
        // Neither unit: not taken for dots per inch, and not read as a unit libcups does not have.
        {"a unit of no name", 600, 600, 88, std::nullopt},
        {"no dots", 0, 600, 3, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const IppMessage answer = readAnswer(answerWithResolution(c.across, c.down, c.units));
        ASSERT_TRUE(answer);
        ipp_attribute_t* byDefault =
            ippFindAttribute(answer.get(), "printer-resolution-default", IPP_TAG_ZERO);
        ASSERT_TRUE(byDefault);
        cups_dest_t dest{const_cast<char*>("Queue"), nullptr, 1, 0, nullptr};
        EXPECT_EQ(effectiveResolution(&dest, byDefault, ListedResolutions{}), c.taken);
    }
}

} // namespace
