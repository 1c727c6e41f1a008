#pragma once
// Fee databases filled with content a careless statement builder would trip over:
// quotes, brackets, comment marks, control characters, Nulls where the reports
// expect values, amounts at the edge of what cents can hold, dates that are no dates.
//
// Every variant is a complete small office on which each report finds rows when the
// data is sound: one department with its office, a special, an ordinary and a receipt
// type, a parking item and a property item set up for the tax-control device, and
// three March 2024 invoices:
//   A  ordinary, issued and collected 2024-03-05: parking 109 (tax 9), property 106 (tax 6)
//   B  special, issued 2024-03-10, never collected, 预开: parking 109 (tax 9)
//   C  receipt, issued and collected 2024-03-06: property 53 (tax 3)
// Every hostile text carries the marker "HX", so a statement can be searched for it.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "TestDatabase.h"

struct sqlite3;

namespace tally::testing {

inline constexpr const char* kHostileMarker = "HX";

enum class HostileVariant {
    Punctuation,       // ' ] [ -- ; /* */ and blanks in codes, names, departments, methods, numbers
    AwkwardNames,      // a 200-character name, CR/LF in a name, equal cleaned names, a name "()%"
    NulCharacters,     // NUL inside invoice numbers, payers, addresses, methods and the office name
    NulFeeItemName,    // NUL inside a fee item's name
    NullColumns,       // Null in every column the reports expect filled
    HugeAmounts,       // 1e15 and 9.99e17 amounts
    CentsOverflow,     // amounts whose cents fit one by one but not summed
    SmallAndNegative,  // negative invoices, 0.005 and 2.675
    OddDates,          // dates that are text but no date, or integers
    LooseDates,        // dates with a "T", without seconds, with fractions, with trailing text
    ManyFeeItems,      // seventy fee items charged on one invoice
    DashedNumbers,     // invoice numbers holding " - ", two of them collected together
    ColumnNames,       // fee items named like the columns the statements read
    LegacyBytes,       // texts that are not UTF-8 (GBK bytes left by an older program)
    OddDepartments,    // empty office name, 【】 inside it, a blank in the department code
};

std::vector<HostileVariant> allHostileVariants();
std::string variantName(HostileVariant variant);

// One field value for an insert: Null, integer, real or text (any bytes, NUL included).
using Field = std::variant<std::monostate, std::int64_t, double, std::string>;

// What a variant holds that the tests select by or look for.
struct HostileProfile {
    std::string departmentCode;
    std::string officeCode;
    std::string officeName;                  // as stored
    std::string parkingCode, parkingName;    // parking item as stored (name before cleaning)
    std::string propertyCode, propertyName;  // the other item
    // Every hostile text the reports may put into a statement (codes, cleaned names,
    // department and office codes), each carrying the marker.
    std::vector<std::string> statementValues;
};

class HostileDatabase : public TestDatabase {
public:
    explicit HostileDatabase(HostileVariant variant);

    HostileVariant variant() const { return variant_; }
    const HostileProfile& profile() const { return profile_; }

    ~HostileDatabase();

    // Inserts one row with bound parameters, so any byte reaches the table as it is.
    void insert(const std::string& table, const std::vector<Field>& values);

private:
    void addOffice();
    // Types are (code, batch) pairs: special, ordinary, receipt.
    void addTypes(const std::pair<std::string, std::string>& special,
                  const std::pair<std::string, std::string>& ordinary,
                  const std::pair<std::string, std::string>& receipt);
    void addItems(std::optional<double> parkingRate, std::optional<double> propertyRate);
    void addStandardInvoices();

    void closeWriter();

    HostileVariant variant_;
    HostileProfile profile_;
    sqlite3* writer_ = nullptr;  // open while the constructor fills the file, in one transaction
};

// The whole file, for checking that nothing wrote to it.
std::string fileBytes(const std::string& path);

}  // namespace tally::testing
