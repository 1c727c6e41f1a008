#include "SpreadsheetOutput.h"

#include <set>

#include "DetailExport.h"
#include "FileOutput.h"
#include "ReconciliationSheet.h"
#include "SheetError.h"
#include "SheetWriter.h"
#include "Utf8Path.h"

namespace tally::cli {
namespace {

std::filesystem::path exportOutcome(const CliOptions& options, const CommandOutcome& outcome,
                                    const sheet::OutputTarget& target) {
    const std::string departmentEntry = outcome.department.displayText();
    if (outcome.reconciliation) {
        exports::ReconciliationSheetLabels labels{outcome.output.title, departmentEntry, options.year,
                                                  options.startMonth, options.endMonth};
        return exports::ExportReconciliation(*outcome.reconciliation, labels, target);
    }
    if (!outcome.result) throw sheet::SheetError(sheet::sheet_errors::kBadCell, "没有可导出的统计结果");
    exports::DetailSheetRequest request{
        outcome.headings,
        {outcome.output.title, departmentEntry, isoDate(options.fromKey), isoDate(options.toKey)},
        target,
        {}};
    return exports::ExportDetailResult(*outcome.result, outcome.items, request);
}

// The department's sheet in a shared workbook.
void exportSheet(const CliOptions& options, const CommandOutcome& outcome, sheet::Workbook& book,
                 const std::string& sheetName) {
    const std::string departmentEntry = outcome.department.displayText();
    if (outcome.reconciliation) {
        exports::ReconciliationSheetLabels labels{outcome.output.title, departmentEntry, options.year,
                                                  options.startMonth, options.endMonth};
        exports::ExportReconciliation(*outcome.reconciliation, labels, book, sheetName);
        return;
    }
    if (!outcome.result) throw sheet::SheetError(sheet::sheet_errors::kBadCell, "没有可导出的统计结果");
    exports::DetailSheetRequest request{
        outcome.headings,
        {outcome.output.title, departmentEntry, isoDate(options.fromKey), isoDate(options.toKey)},
        book.target(),
        {},
        &book,
        sheetName};
    exports::ExportDetailResult(*outcome.result, outcome.items, request);
}

// A file name never reaches into another folder.
std::string fileNamePart(std::string name) {
    for (char& c : name)
        if (c == '/' || c == '\0') c = '_';
    return name;
}

// A line saying why the file written is not the one named, or "".
std::string renameNote(const std::string& chosen, const std::filesystem::path& written) {
    if (written.string() == chosen) return "";
    std::string extension = utf8Path(chosen).extension().string();
    for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    if (extension == ".xls") return "未找到 LibreOffice (soffice)，已存为 .xlsx 格式: " + written.filename().string();
    return "已存为 .xlsx 格式: " + written.filename().string();
}

}  // namespace

std::string proposedFileName(const CliOptions& options, const std::string& title) {
    if (options.kind == "reconciliation") return title;
    return title + "_" + options.fromKey + "-" + options.toKey;
}

int writeDepartmentSheets(const CliOptions& options, const std::vector<reports::DepartmentEntry>& departments,
                          const DepartmentRun& run, std::ostream& err, bool progress,
                          const sheet::ConverterLookup& lookup) {
    const std::string extension = "." + options.format;
    std::vector<std::string> skipped;
    std::set<std::string> fileNames;
    int written = 0, status = 0;
    std::string exportDone;
    try {
        std::unique_ptr<sheet::Workbook> book;
        if (!options.outputDir.empty()) std::filesystem::create_directories(utf8Path(options.outputDir));
        for (std::size_t i = 0; i < departments.size(); ++i) {
            const reports::DepartmentEntry& department = departments[i];
            if (progress)
                err << "\r\033[K[" << i + 1 << "/" << departments.size() << "] " << department.displayText()
                    << std::flush;
            const CommandOutcome outcome = run(department);
            if (outcome.status == 3) {
                skipped.push_back(department.displayText());
                continue;
            }
            if (progress) err << "\r\033[K";
            if (!outcome.message.empty()) err << outcome.message << "\n";
            // A reconciliation that reported errors and went on still has its table.
            if (outcome.output.kind.empty()) return outcome.status;
            if (status == 0) status = outcome.status;
            exportDone = outcome.exportDone;
            if (options.outputDir.empty()) {
                if (!book) book = std::make_unique<sheet::Workbook>(sheet::chooseOutput(options.output, lookup));
                exportSheet(options, outcome, *book, department.departmentCode + " " + department.officeName);
            } else {
                // Two departments whose titles read the same keep apart.
                const std::string stem = fileNamePart(proposedFileName(options, outcome.output.title));
                std::string name = stem + extension;
                for (int n = 2; !fileNames.insert(name).second; ++n)
                    name = stem + " (" + std::to_string(n) + ")" + extension;
                const std::string chosen = (utf8Path(options.outputDir) / utf8Path(name)).string();
                const std::filesystem::path file = exportOutcome(options, outcome, sheet::chooseOutput(chosen, lookup));
                if (auto note = renameNote(chosen, file); !note.empty()) err << note << "\n";
                err << file.string() << "\n";
            }
            ++written;
        }
        if (progress) err << "\r\033[K";
        for (const std::string& department : skipped) err << "no data, skipped: " << department << "\n";
        if (written == 0) {
            err << "no department had data\n";
            return 3;
        }
        if (book) {
            const std::filesystem::path file = book->save();
            if (!exportDone.empty()) err << exportDone << "\n";
            if (auto note = renameNote(options.output, file); !note.empty()) err << note << "\n";
            err << file.string() << "\n";
        }
        return status;
    } catch (const std::exception&) {
        return reportWriteFailure(err);
    }
}

int writeSpreadsheet(const CliOptions& options, const CommandOutcome& outcome, std::ostream& err,
                     const sheet::ConverterLookup& lookup) {
    try {
        const sheet::OutputTarget target = sheet::chooseOutput(options.output, lookup);
        const std::filesystem::path written = exportOutcome(options, outcome, target);
        if (!outcome.exportDone.empty()) err << outcome.exportDone << "\n";
        if (auto note = renameNote(options.output, written); !note.empty()) err << note << "\n";
        err << written.string() << "\n";
        return 0;
    } catch (const std::exception&) {
        return reportWriteFailure(err);
    }
}

}  // namespace tally::cli
