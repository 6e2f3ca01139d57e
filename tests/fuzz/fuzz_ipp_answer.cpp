// A printer's answer to Get-Printer-Attributes, as its bytes come off the network, read the way the CUPS
// backend reads it, turned into the queue's document settings and printed on. Whatever the printer claims,
// the settings it yields are a real sheet at a real resolution, and the envelope on it is whole or refused.
#include "EnvelopeOnPage.h"

#include "platform/cups/CupsDefaultSettings.h"
#include "platform/cups/CupsWholeAnswer.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const IppMessage answer =
        readAnswer(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!answer)
        return 0;
    cups_dest_t dest{const_cast<char*>("Fuzz"), nullptr, 1, 0, nullptr};
    const std::optional<DocumentSettings> settings = defaultSettingsFrom(answer.get(), &dest);
    if (!settings)
        return 0;
    fuzz::require(settings->paperWidth > 0 && settings->paperLength > 0, "a sheet of some size");
    fuzz::require(settings->marginLeft >= 0 && settings->marginRight >= 0 && settings->marginTop >= 0 &&
                      settings->marginBottom >= 0,
                  "no margin below nothing");
    fuzz::require(settings->xResolution > 0 && settings->yResolution > 0, "a resolution of some dots");
    fuzz::require(!settings->paperName.isEmpty(), "the paper has a name");
    fuzz::checkPrintedEnvelope(*settings, static_cast<EnvelopeTemplate>(size % TemplateCount));
    return 0;
}
