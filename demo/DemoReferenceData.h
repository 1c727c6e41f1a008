#pragma once
// The fixed part of the demo database: departments and their offices, invoice types, fee items,
// tax-control settings and payment methods, plus how each department's business looks
// (which fee items and invoice types it uses, and how often).
#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tally::demo {

enum FeeItemIndex : int {
    kPropertyFee,
    kSharedEnergyFee,
    kWaterFee,
    kElectricityFee,
    kMonthlyParking,
    kTemporaryParking,
    kParkingSpaceFee,
    kGarbageFee,
    kRenovationDeposit,
    kMaintenanceFund,
    kRent,
    kLateFee,
    kFeeItemCount
};

enum InvoiceTypeIndex : int {
    kSpecialVat,
    kOrdinaryVat,
    kElectronicOrdinaryVat,
    kElectronicInvoice,
    kReceipt,
    kFixedAmountTicket,
    kInvoiceTypeCount
};

enum class PayerStyle { Resident, Company, Parking };

struct FeeItemInfo {
    std::string_view code;
    std::string_view name;
    int rateBasisPoints;
    std::string_view category;
    std::string_view displayName;
    // Line amounts: minCents + k × stepCents, not above maxCents.
    std::int64_t minCents;
    std::int64_t maxCents;
    std::int64_t stepCents;
};

struct NumberSeries {
    std::int64_t firstNumber;
    int digits;       // zero-padded width of the counter
    bool yearPrefix;  // the issue year's last two digits and "442000" come first
};

struct InvoiceTypeInfo {
    std::string_view code;
    std::string_view name;
    int fixedAmount;  // 定额
    int batchSize;    // forms per stock-in batch
    NumberSeries series;
};

struct DepartmentInfo {
    std::string_view code;
    std::string_view name;
    bool closed;  // closed at the end of the first quarter of the first year
    int invoiceWeight;
    PayerStyle payerStyle;
    std::string_view estate;  // start of the payers' addresses
    std::array<int, kFeeItemCount> itemWeights;
    std::array<int, kInvoiceTypeCount> typeWeights;
};

struct OfficeInfo {
    std::string_view code;
    std::string_view name;
    std::string_view departmentCode;
};

// A fee item whose rate is not set up on an office's tax-control device.
struct MissingTaxControlRate {
    std::string_view officeCode;
    int item;
};

struct PaymentChoice {
    std::string_view name;
    int weight;
    bool online;  // paid through an app: carries a transaction number
};

// The built-in fee items, indexed by FeeItemIndex.
std::span<const FeeItemInfo> feeItems();
std::span<const InvoiceTypeInfo> invoiceTypes();
std::span<const DepartmentInfo> departments();
std::span<const OfficeInfo> offices();
std::span<const MissingTaxControlRate> missingTaxControlRates();
// The payment methods table, in listing order.
std::span<const std::string_view> listedPaymentMethods();
// What cashiers actually type, "微信" included.
std::span<const PaymentChoice> paymentChoices();

// Index of the department with that code; departments().size() when there is none.
std::size_t departmentIndexOf(std::string_view code);

// Most fee items a demo database may be asked for.
inline constexpr int kMaxFeeItems = 100000;

// The fee items of one demo database and which department uses which.
//
// Built-in only (count 0), each department uses the items its weights name. With a count,
// the built-in items come first (their FeeItemIndex stays valid) and generated ones follow
// up to that count, and every department uses every item but the maintenance fund, which
// stays with the departments that use it: a fund belongs to an estate.
class FeeItemSet {
public:
    // `count` is 0 or from kFeeItemCount to kMaxFeeItems.
    explicit FeeItemSet(int count = 0);
    // The views into names_ must not outlive it.
    FeeItemSet(const FeeItemSet&) = delete;
    FeeItemSet& operator=(const FeeItemSet&) = delete;

    std::span<const FeeItemInfo> items() const { return items_; }
    std::size_t size() const { return items_.size(); }
    const FeeItemInfo& operator[](std::size_t item) const { return items_[item]; }
    // True when a count was given: the lines are then spread over every item.
    bool extended() const { return extended_; }

    bool usedBy(const DepartmentInfo& department, std::size_t item) const;
    // The items `department` uses, in item order.
    std::vector<int> itemsOf(const DepartmentInfo& department) const;

private:
    std::deque<std::string> texts_;  // codes and names of the generated items; a deque never moves them
    std::vector<FeeItemInfo> items_;
    bool extended_ = false;
};

}  // namespace tally::demo
