#include "CupsResolution.h"

#include <QRegularExpression>
#include <QString>

#include <cmath>

namespace {

std::optional<int> dotsPerInch(int value, ipp_res_t units) {
    if (value <= 0)
        return std::nullopt;
    return units == IPP_RES_PER_CM ? static_cast<int>(std::lround(value * 2.54)) : value;
}

std::optional<Resolution> fromAttribute(ipp_attribute_t* attr) {
    if (!attr || ippGetValueTag(attr) != IPP_TAG_RESOLUTION)
        return std::nullopt;
    int down = 0;
    ipp_res_t units = IPP_RES_PER_INCH;
    const int across = ippGetResolution(attr, 0, &down, &units);
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
    static const QRegularExpression pattern(QStringLiteral("^(\\d+)(?:x(\\d+))?(dpi|dpcm)$"));
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

} // namespace

std::optional<Resolution> effectiveResolution(http_t* http, cups_dest_t* dest, cups_dinfo_t* info) {
    if (const std::optional<Resolution> chosen =
            fromOption(cupsGetOption("printer-resolution", dest->num_options, dest->options)))
        return chosen;
    if (const std::optional<Resolution> byDefault =
            fromAttribute(cupsFindDestDefault(http, dest, info, "printer-resolution")))
        return byDefault;
    return fromAttribute(cupsFindDestSupported(http, dest, info, "printer-resolution"));
}

std::optional<Resolution> effectiveResolution(cups_dest_t* dest, ipp_t* attributes) {
    if (const std::optional<Resolution> chosen =
            fromOption(cupsGetOption("printer-resolution", dest->num_options, dest->options)))
        return chosen;
    if (const std::optional<Resolution> byDefault =
            fromAttribute(ippFindAttribute(attributes, "printer-resolution-default", IPP_TAG_ZERO)))
        return byDefault;
    return fromAttribute(ippFindAttribute(attributes, "printer-resolution-supported", IPP_TAG_ZERO));
}

QByteArray resolutionOption(int across, int down) {
    if (across == down)
        return QByteArray::number(across) + "dpi";
    return QByteArray::number(across) + 'x' + QByteArray::number(down) + "dpi";
}
