#include "PdfOutput.h"

#include "PdfFile.h"
#include "PrintTables.h"
#include "SheetError.h"

namespace tally::cli {
namespace {

// "20240305" -> "2024-03-05"
std::string isoDate(const std::string& dayKey) {
    return dayKey.size() == 8 ? dayKey.substr(0, 4) + "-" + dayKey.substr(4, 2) + "-" + dayKey.substr(6, 2) : dayKey;
}

}  // namespace

int writePdfReport(const CliOptions& options, const CommandOutcome& outcome, std::ostream& err) {
    try {
        const std::string departmentEntry = outcome.department.displayText();
        pdf::PrintTable table;
        if (outcome.reconciliation) {
            table = pdf::reconciliationPrintTable(
                *outcome.reconciliation,
                {outcome.output.title, departmentEntry, options.year, options.startMonth, options.endMonth});
        } else {
            table = pdf::detailPrintTable(
                outcome.result, outcome.headings,
                {outcome.output.title, departmentEntry, isoDate(options.fromKey), isoDate(options.toKey)});
        }
        const std::filesystem::path written = pdf::writePdf(table, options.output);
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
