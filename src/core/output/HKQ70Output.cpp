#include "output/HKQ70Output.h"

#include "doc/CKQ70Doc.h"
#include "log/HLogPrint.h"
#include "output/ChannelListing.h"
#include "output/HCsvFileWriter.h"
#include "output/ParameterListing.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"
#include "ui/UserPrompt.h"

namespace kq70 {

namespace {

using Row = std::vector<std::string>;

// A row of one empty cell: the line between sections.
Row emptyRow() {
    return {std::string()};
}

Row bannerRow(std::string_view banner) {
    return {std::string(banner), ""};
}

} // namespace

HKQ70Output::HKQ70Output(CKQ70Doc& doc, int accessMode, std::string fileName, UserPrompt& prompt)
    : m_doc(doc), m_accessMode(accessMode), m_fileName(std::move(fileName)), m_prompt(prompt) {}

bool HKQ70Output::output(HCsvFileWriter& writer) {
    KQ70_LOG(LOG_D1, 0, "[FUNC IN]HKQ70Output::output");
    const bool ok =
        writeTitle(writer) && writeParameterSections(writer) && writeChannelSection(writer);
    KQ70_LOG(LOG_D1, 0, "[FUNC OUT]HKQ70Output::output");
    return ok;
}

HKQ70Output::ExportResult HKQ70Output::exportTo(HCsvFileWriter& writer) {
    if (!writer.open()) {
        if (writer.errorCode() == HFileSettings::ERROR_READ_ONLY) {
            return ExportResult::Failed;
        }
        if (writer.errorCode() != HFileSettings::ERROR_OPEN) {
            return ExportResult::Cancelled;
        }
        m_prompt.message(substitute1(Strings::get(IDS_PROBLEM_OPENING_FILE_FOR_WRITING),
                                     writer.getSetting(HTextFileWriter::FILE_PATH)),
                         MessageIcon::Stop);
        return ExportResult::Failed;
    }
    if (!output(writer) || !writer.close()) {
        writer.discard();
        m_prompt.message(Strings::get(IDS_PROBLEM_WRITING_FILE), MessageIcon::Stop);
        return ExportResult::Failed;
    }
    return ExportResult::Written;
}

bool HKQ70Output::writeTitle(HCsvFileWriter& writer) {
    if (!writer.writeRow(bannerRow(text::CSV_TITLE)) ||
        !writer.writeRow(
            {std::string(text::CSV_FILE_NAME), ParameterListing::fileNameOf(m_fileName)})) {
        return false;
    }
    const ParameterListing parameters(m_doc, m_accessMode, m_prompt);
    for (const ParameterListing::Item& item : parameters.marketingItems()) {
        if (!writer.writeRow({item.caption, strprintf("[%s]", item.value.c_str())})) {
            return false;
        }
    }
    return true;
}

bool HKQ70Output::writeParameterSections(HCsvFileWriter& writer) {
    const ParameterListing parameters(m_doc, m_accessMode, m_prompt);
    for (const ParameterListing::Section& section : parameters.csvSections()) {
        if (!writer.writeRow(bannerRow(section.title))) {
            return false;
        }
        for (const ParameterListing::Item& item : section.items) {
            if (!writer.writeRow({item.caption, item.value})) {
                return false;
            }
        }
        if (!writer.writeRow(emptyRow())) {
            return false;
        }
        if (section.title == text::CSV_DIRECT_CH) {
            KQ70_LOG(LOG_D1, 0, "Signalling End");
        }
    }
    return true;
}

bool HKQ70Output::writeChannelSection(HCsvFileWriter& writer) {
    if (!writer.writeRow(bannerRow(text::CSV_CHANNEL_DATA))) {
        return false;
    }
    const ChannelListing channels(m_doc.GetMainMemory(), m_accessMode);
    for (const ChannelListing::Block& block : channels.blocks()) {
        if (channels.usesGroups() && !writer.writeRow({block.groupLine})) {
            return false;
        }
        if (!writer.writeRow(channels.csvHeader())) {
            return false;
        }
        for (const ChannelListing::Row& row : block.rows) {
            if (!writer.writeRow(channels.csvRow(row))) {
                return false;
            }
        }
    }
    if (!writer.writeRow(emptyRow())) {
        return false;
    }
    KQ70_LOG(LOG_D1, 0, "Channel End");
    return true;
}

} // namespace kq70
