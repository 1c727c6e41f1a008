#include "SpreadsheetOutput.h"

#include "DetailExport.h"
#include "ReconciliationSheet.h"
#include "SheetError.h"

namespace tally::cli {
namespace {

// "20240305" -> "2024-03-05"
std::string isoDate(const std::string& dayKey) {
    return dayKey.size() == 8 ? dayKey.substr(0, 4) + "-" + dayKey.substr(4, 2) + "-" + dayKey.substr(6, 2) : dayKey;
}

std::filesystem::path exportOutcome(const CliOptions& options, const CommandOutcome& outcome,
                                    const sheet::OutputTarget& target) {
    const std::string departmentEntry = outcome.department.displayText();
    if (outcome.reconciliation) {
        exports::ReconciliationSheetLabels labels{outcome.output.title, departmentEntry, options.year,
                                                  options.startMonth, options.endMonth};
        return exports::ExportReconciliation(*outcome.reconciliation, labels, target);
    }
    if (!outcome.result)
        throw sheet::SheetError(sheet::sheet_errors::kBadCell, "没有可导出的统计结果");
    exports::DetailSheetRequest request{
        outcome.headings, {outcome.output.title, departmentEntry, isoDate(options.fromKey), isoDate(options.toKey)},
        target, {}};
    return exports::ExportDetailResult(*outcome.result, outcome.items, request);
}

// A line saying why the file written is not the one named, or "".
std::string renameNote(const std::string& chosen, const std::filesystem::path& written) {
    if (written.native() == chosen) return "";
    std::string extension = std::filesystem::path(chosen).extension().native();
    for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    if (extension == ".xls") return "未找到 LibreOffice (soffice)，已存为 .xlsx 格式: " + written.filename().native();
    return "已存为 .xlsx 格式: " + written.filename().native();
}

}  // namespace

int writeSpreadsheet(const CliOptions& options, const CommandOutcome& outcome, std::ostream& err,
                     const sheet::ConverterLookup& lookup) {
    try {
        const sheet::OutputTarget target = sheet::chooseOutput(options.output, lookup);
        const std::filesystem::path written = exportOutcome(options, outcome, target);
        if (!outcome.exportDone.empty()) err << outcome.exportDone << "\n";
        if (auto note = renameNote(options.output, written); !note.empty()) err << note << "\n";
        err << written.native() << "\n";
        return 0;
    } catch (const sheet::SheetError& e) {
        err << e.messageText() << "\n";
    } catch (const std::exception& e) {
        err << sheet::exportErrorText(0, e.what()) << "\n";
    }
    return 1;
}

}  // namespace tally::cli
