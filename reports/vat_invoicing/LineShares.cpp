#include "LineShares.h"

namespace tally::reports::vat {

void spreadParkingShares(std::vector<InvoiceDetailRow>::iterator first, std::vector<InvoiceDetailRow>::iterator last,
                         const FeeItemList& items, const std::vector<std::string>& ratios) {
    if (last - first < 2) return;  // one row: the line's own rounding is the invoice's
    std::size_t column = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!items[i].isParking()) {
            column += 2;
            continue;
        }
        const double ratio = propertyRatioValue(ratios.at(i));
        Cents netSoFar = 0, shareSoFar = 0;
        for (auto row = first; row != last; ++row) {
            if (row->values.size() < column + 2) continue;
            Cents& developer = row->values[column];
            Cents& property = row->values[column + 1];
            const Cents net = developer + property;
            netSoFar += net;
            const Cents share = roundToCents(static_cast<double>(netSoFar) / 100 * ratio);
            property = share - shareSoFar;
            developer = net - property;
            shareSoFar = share;
        }
        column += 3;
    }
}

}  // namespace tally::reports::vat
