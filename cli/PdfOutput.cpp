#include "PdfOutput.h"

#include "FileOutput.h"
#include "PdfFile.h"
#include "PrintTables.h"
#include "Utf8Path.h"

namespace tally::cli {

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
        const std::filesystem::path written = pdf::writePdf(table, utf8Path(options.output));
        err << written.string() << "\n";
        return 0;
    } catch (const std::exception&) {
        return reportWriteFailure(err);
    }
}

}  // namespace tally::cli
