#include "platform/cups/CupsResolution.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QString>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <type_traits>
#include <vector>

namespace {

// Units as a number: libcups passes on the printer's byte, which may be neither of the two units.
std::optional<int> dotsPerInch(int value, int units) {
    if (value <= 0)
        return std::nullopt;
    if (units == IPP_RES_PER_INCH)
        return value;
    if (units != IPP_RES_PER_CM)
        return std::nullopt;
    const long long inches = std::llround(value * 2.54);
    return inches <= INT_MAX ? std::optional<int>(static_cast<int>(inches)) : std::nullopt;
}

std::optional<Resolution> valueOf(ipp_attribute_t* attr, int index) {
    int down = 0;
    ipp_res_t written = IPP_RES_PER_INCH;
    const int across = ippGetResolution(attr, index, &down, &written);
    // Read as the integer it is: a value outside the enumeration must not be loaded as one.
    std::underlying_type_t<ipp_res_t> units = 0;
    static_assert(sizeof units == sizeof written);
    std::memcpy(&units, &written, sizeof units);
    const std::optional<int> x = dotsPerInch(across, units);
    const std::optional<int> y = dotsPerInch(down, units);
    if (!x || !y)
        return std::nullopt;
    return Resolution{*x, *y};
}

// "300dpi", "600x300dpi" or the same in "dpcm", as lpoptions holds it.
std::optional<Resolution> fromOption(const char* text) {
    if (!text)
        return std::nullopt;
    static const QRegularExpression pattern(QStringLiteral("^([0-9]+)(?:x([0-9]+))?(dpi|dpcm)$"));
    const QRegularExpressionMatch match = pattern.match(QString::fromUtf8(text).trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const int across = match.captured(1).toInt();
    const int down = match.captured(2).isEmpty() ? across : match.captured(2).toInt();
    const ipp_res_t units = match.captured(3) == QLatin1String("dpcm") ? IPP_RES_PER_CM : IPP_RES_PER_INCH;
    const std::optional<int> x = dotsPerInch(across, units);
    const std::optional<int> y = dotsPerInch(down, units);
    if (!x || !y)
        return std::nullopt;
    return Resolution{*x, *y};
}

// "RS300-600": square resolutions in dots per inch.
std::vector<Resolution> urfValuesOf(ipp_attribute_t* attr) {
    std::vector<Resolution> values;
    for (int i = 0; i < ippGetCount(attr); ++i) {
        const QString keyword = QString::fromUtf8(ippGetString(attr, i, nullptr));
        if (!keyword.startsWith(QLatin1String("RS")))
            continue;
        for (const QString& number : keyword.mid(2).split(QLatin1Char('-'))) {
            bool ok = false;
            const int dpi = number.toInt(&ok);
            if (ok && dpi > 0)
                values.push_back({dpi, dpi});
        }
    }
    return values;
}

bool contains(const std::vector<Resolution>& list, const std::optional<Resolution>& r) {
    return r && std::find(list.begin(), list.end(), *r) != list.end();
}

// The user's choice if the printer lists it, else the queue's default, else the first it lists. The default
// is the administrator's, kept even where the printer's list lacks it; a printer that lists nothing and has
// no default leaves only the user's word.
std::optional<Resolution> choose(const char* option, ipp_attribute_t* byDefault,
                                 const ListedResolutions& listed) {
    const std::optional<Resolution> chosen = fromOption(option);
    const std::vector<Resolution> supported = resolutionsOf(listed.supported);
    if (chosen) {
        std::vector<Resolution> anywhere = supported;
        for (ipp_attribute_t* attr : {listed.rasterSupported, listed.urfSupported}) {
            const std::vector<Resolution> more = resolutionsOf(attr);
            anywhere.insert(anywhere.end(), more.begin(), more.end());
        }
        if (contains(anywhere, chosen) || (listed.ppd && contains(listed.ppd(), chosen)))
            return chosen;
    }
    if (const std::vector<Resolution> defaults = resolutionsOf(byDefault); !defaults.empty())
        return defaults.front();
    if (!supported.empty())
        return supported.front();
    return chosen;
}

const char* userChoice(cups_dest_t* dest) {
    return cupsGetOption("printer-resolution", dest->num_options, dest->options);
}

} // namespace

std::optional<Resolution> effectiveResolution(cups_dest_t* dest, ipp_attribute_t* byDefault,
                                              const ListedResolutions& listed) {
    return choose(userChoice(dest), byDefault, listed);
}

std::vector<Resolution> resolutionsOf(ipp_attribute_t* attr) {
    std::vector<Resolution> values;
    if (!attr)
        return values;
    if (ippGetValueTag(attr) == IPP_TAG_KEYWORD)
        return urfValuesOf(attr);
    if (ippGetValueTag(attr) != IPP_TAG_RESOLUTION)
        return values;
    for (int i = 0; i < ippGetCount(attr); ++i)
        if (const std::optional<Resolution> r = valueOf(attr, i))
            values.push_back(*r);
    return values;
}

std::vector<Resolution> resolutionsOfPpd(ppd_file_t* ppd) {
    std::vector<Resolution> values;
    if (!ppd)
        return values;
    static const QRegularExpression setsResolution(
        QStringLiteral("/HWResolution\\s*\\[\\s*([0-9]+)\\s+([0-9]+)\\s*\\]"));
    // The PPD interface is kept for the queues whose resolutions are nowhere else.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    for (ppd_option_t* option = ppdFirstOption(ppd); option; option = ppdNextOption(ppd)) {
        const bool named = QByteArray(option->keyword) == "Resolution";
        for (int i = 0; i < option->num_choices; ++i) {
            const ppd_choice_t& choice = option->choices[i];
            if (named) {
                if (const std::optional<Resolution> r = fromOption(choice.choice))
                    values.push_back(*r);
                continue;
            }
            const QRegularExpressionMatch match = setsResolution.match(QString::fromLatin1(choice.code));
            const int across = match.captured(1).toInt();
            const int down = match.captured(2).toInt();
            if (match.hasMatch() && across > 0 && down > 0)
                values.push_back({across, down});
        }
    }
#pragma GCC diagnostic pop
    return values;
}

QByteArray resolutionOption(int across, int down) {
    if (across == down)
        return QByteArray::number(across) + "dpi";
    return QByteArray::number(across) + 'x' + QByteArray::number(down) + "dpi";
}
