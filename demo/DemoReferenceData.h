#pragma once
// The fixed part of the demo database: departments and their offices, invoice types, fee items,
// tax-control settings and payment methods, plus how each department's business looks
// (which fee items and invoice types it uses, and how often).
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

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

}  // namespace tally::demo
