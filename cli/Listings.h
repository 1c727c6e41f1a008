#pragma once
// tallyvane-report departments and fee-items: the codes a script needs, as JSON (an array
// of objects), CSV (UTF-8 with BOM, a heading line) or an aligned text table.
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "CliOptions.h"
#include "Connection.h"

namespace tally::cli {

struct ListingCell {
    enum class Kind { Text, Number, Flag };  // how JSON writes it; a Flag's text is "true" or "false"
    std::string text;
    Kind kind = Kind::Text;
};

struct Listing {
    std::vector<std::string> columns;
    std::vector<std::vector<ListingCell>> rows;
};

struct ListingOutcome {
    int status = 0;       // exit status; 0 with the listing
    std::string message;  // for standard error
    Listing listing;
};

ListingOutcome listDepartments(data::Connection& connection);
// The fee items the VAT invoicing report extracts for the department and period.
ListingOutcome listFeeItems(data::Connection& connection, const CliOptions& options);

// format: json, csv or table.
void writeListing(std::ostream& out, const Listing& listing, const std::string& format);

// Terminal columns the UTF-8 text takes: East Asian wide and full-width characters count 2.
int displayWidth(std::string_view text);

}  // namespace tally::cli
