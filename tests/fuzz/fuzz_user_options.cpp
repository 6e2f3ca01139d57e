// The user's own options for a queue (lpoptions: "media=iso_a5_148x210mm printer-resolution=600dpi" and
// anything else a hand or a program wrote there) over a real printer's answer, turned into the queue's
// settings and then into what the job asks of the server. A job asks for the paper the page was laid out on
// and a resolution the printer offers, and the envelope on that page is whole or refused.
#include "EnvelopeOnPage.h"

#include "platform/cups/CupsDefaultSettings.h"
#include "platform/cups/CupsJobOptions.h"
#include "platform/cups/CupsResolution.h"
#include "platform/cups/CupsWholeAnswer.h"

#include <QDir>
#include <QFile>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <vector>

namespace {

// The answers recorded from real printers and servers, beside the answer target's corpus, in the order of
// their names: the first byte of an input picks one. A refusal that is no IPP message is left out.
std::vector<IppMessage>& answers() {
    static std::vector<IppMessage> recorded = [] {
        std::vector<IppMessage> read;
        const QDir folder(QStringLiteral(VORNEL_RECORDED_ANSWERS));
        for (const QString& name :
             folder.entryList({QStringLiteral("cupsd-*.ipp"), QStringLiteral("everywhere-*.ipp")},
                              QDir::Files, QDir::Name)) {
            QFile file(folder.filePath(name));
            if (file.open(QIODevice::ReadOnly))
                if (IppMessage answer = readAnswer(file.readAll()))
                    read.push_back(std::move(answer));
        }
        fuzz::require(!read.empty(), "recorded answers to read");
        return read;
    }();
    return recorded;
}

bool offers(ipp_attribute_t* attr, int across, int down) {
    for (int i = 0; attr && ippGetValueTag(attr) == IPP_TAG_RESOLUTION && i < ippGetCount(attr); ++i) {
        int y = 0;
        ipp_res_t written = IPP_RES_PER_INCH;
        const int x = ippGetResolution(attr, i, &y, &written);
        std::underlying_type_t<ipp_res_t> units = 0;
        std::memcpy(&units, &written, sizeof units);
        if (units == IPP_RES_PER_INCH && x == across && y == down)
            return true;
        const auto dpi = [](int value) { return static_cast<int>(std::llround(value * 2.54)); };
        if (units == IPP_RES_PER_CM && dpi(x) == across && dpi(y) == down)
            return true;
    }
    return false;
}

struct Options {
    int count = 0;
    cups_option_t* values = nullptr;
    ~Options() { cupsFreeOptions(count, values); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    ipp_t* answer = answers()[data[0] % answers().size()].get();
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    Options user;
    user.count = cupsParseOptions(text.c_str(), 0, &user.values);
    cups_dest_t dest{const_cast<char*>("Fuzz"), nullptr, 1, user.count, user.values};

    // A printer that says nothing of its resolutions leaves the user's word: a real one, or none.
    if (const std::optional<Resolution> alone = effectiveResolution(&dest, nullptr, ListedResolutions{}))
        fuzz::require(alone->across > 0 && alone->down > 0, "the user's resolution has dots");

    const std::optional<DocumentSettings> settings = defaultSettingsFrom(answer, &dest);
    if (!settings)
        return 0;
    const char* userMedia = cupsGetOption(CUPS_MEDIA, dest.num_options, dest.options);
    fuzz::require(!userMedia || settings->paperName.toUtf8() == userMedia, "the user's paper or none");
    fuzz::require(offers(ippFindAttribute(answer, "printer-resolution-supported", IPP_TAG_ZERO),
                         settings->xResolution, settings->yResolution) ||
                      offers(ippFindAttribute(answer, "printer-resolution-default", IPP_TAG_ZERO),
                             settings->xResolution, settings->yResolution),
                  "a resolution the printer offers");

    const CupsOptions job = jobOptions(*settings);
    const char* media = cupsGetOption(CUPS_MEDIA, job.count(), job.get());
    fuzz::require(media && settings->paperName.toUtf8() == media, "the job asks for the page's paper");
    const char* resolution = cupsGetOption("printer-resolution", job.count(), job.get());
    fuzz::require(resolution && resolutionOption(settings->xResolution, settings->yResolution) == resolution,
                  "the job asks for the page's resolution");
    cups_dest_t asked{const_cast<char*>("Fuzz"), nullptr, 1, job.count(), job.get()};
    const std::optional<Resolution> back = effectiveResolution(&asked, nullptr, ListedResolutions{});
    fuzz::require(back && back->across == settings->xResolution && back->down == settings->yResolution,
                  "the job's resolution reads back as the page's");
    fuzz::checkPrintedEnvelope(*settings, static_cast<EnvelopeTemplate>(data[0] % TemplateCount));
    return 0;
}
