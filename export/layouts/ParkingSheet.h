#pragma once
// The parking-fee detail report as a sheet: columns 1 序, 2 发票号, 3 电子发票号, then
// developer share, property share and tax of each fee item, C 合计.
#include <filesystem>

#include <vector>

#include "DetailSheet.h"
#include "ExportLabels.h"
#include "FeeItems.h"
#include "ParkingPage.h"

namespace tally::exports {

// Writes every row of the result (detail, "合计" and payment-method rows) and returns the
// file written. `items` are the fee items the run used, in list order. Throws SheetError.
// 收款人 | 经理 | 缴款人 | 总仓管理员 under the parking table.
std::vector<SignatureCell> parkingSignature();

std::filesystem::path ExportParkingSheet(const reports::parking::ParkingResult& result,
                                         const reports::FeeItemList& items, const DetailSheetRequest& request);

}  // namespace tally::exports
