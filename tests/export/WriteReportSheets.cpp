// Writes the sample exports of the four reports that check_report_sheets.py reads back.
// One file per case, named after it.
#include <filesystem>
#include <string>

#include "DetailExport.h"
#include "ReconciliationSheet.h"
#include "ReportSheetSamples.h"
#include "SampleWriterMain.h"

using namespace tally;
using tally::exports::DetailSheetRequest;

namespace {

sheet::OutputTarget xlsxIn(const std::filesystem::path& folder, const std::string& name) {
    return sheet::chooseOutput((folder / (name + ".xlsx")).string(), {});
}

template <class Sample>
DetailSheetRequest requestFor(const Sample& sample, const std::filesystem::path& folder, const std::string& name,
                              const std::string& title) {
    return {sample.headings, testing::sampleLabels(title), xlsxIn(folder, name), {}};
}

void writeAll(const std::filesystem::path& folder) {
    const auto parking = testing::parkingWithTwoItems();
    exports::ExportDetailResult(parking.result, parking.items,
                                requestFor(parking, folder, "parking_two_items", "【翠湖管理处】停车费明细表"));

    // One report through the .xls conversion too, where LibreOffice is installed.
    if (sheet::findOfficeConverter()) {
        const auto sample = testing::vatWithParkingAndOtherItem();
        DetailSheetRequest request{sample.headings,
                                   testing::sampleLabels("【翠湖管理处】增值税开票明细表"),
                                   sheet::chooseOutput((folder / "vat_parking_and_other_item.xls").string()),
                                   {}};
        exports::ExportDetailResult(sample.result, sample.result.items(), request);
    }

    for (auto [sample, name] : {std::pair{testing::vatWithOneOtherItem(), "vat_one_other_item"},
                                std::pair{testing::vatWithParkingAndOtherItem(), "vat_parking_and_other_item"}})
        exports::ExportDetailResult(sample.result, sample.result.items(),
                                    requestFor(sample, folder, name, "【翠湖管理处】增值税开票明细表"));

    for (auto [sample, name] : {std::pair{testing::preInvoiceWithOneInvoice(), "pre_one_invoice"},
                                std::pair{testing::preInvoiceWithTwoOtherItems(), "pre_two_other_items"}})
        exports::ExportDetailResult(sample.result, sample.items,
                                    requestFor(sample, folder, name, "【翠湖管理处】增值税预开票明细表"));

    for (int items : {1, 2})
        exports::ExportReconciliation(testing::reconciliationWithItems(items), testing::sampleReconciliationLabels(),
                                      xlsxIn(folder, "reconciliation_" + std::to_string(items) + "_items"));
}

}  // namespace

int main(int argc, char** argv) {
    return testing::sampleWriterMain(argc, argv, "FOLDER", [](const std::filesystem::path& folder) {
        std::filesystem::create_directories(folder);
        writeAll(folder);
    });
}
