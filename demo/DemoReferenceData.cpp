#include "DemoReferenceData.h"

namespace tally::demo {

namespace {

constexpr FeeItemInfo kFeeItems[] = {
    {"0101", "物业管理费", 600, "物业服务", "物业服务费", 15000, 380000, 1},
    {"0102", "公共能耗费", 600, "物业服务", "公共能耗分摊", 500, 15000, 1},
    {"0201", "水费", 900, "能源费", "自来水费", 1500, 60000, 1},
    {"0202", "电费", 1300, "能源费", "电费", 3000, 150000, 1},
    {"0301", "停车费(月租)", 900, "停车费", "停车服务费", 30000, 60000, 5000},
    {"0302", "停车费(临时)", 900, "停车费", "停车服务费", 500, 12000, 50},
    {"0303", "车位管理费%", 600, "车位停车管理", "车位管理服务费", 6000, 15000, 100},
    {"0401", "垃圾清运费", 600, "物业服务", "垃圾清运服务费", 1000, 8000, 1},
    {"0402", "装修押金", 0, "代收代付", "装修押金", 200000, 500000, 100000},
    {"0403", "维修基金", 0, "代收代付", "专项维修资金", 300000, 2500000, 1},
    {"0501", "房屋租金", 900, "租赁", "不动产租赁", 500000, 8000000, 1},
    {"0601", "滞纳金", 600, "其他收费", "违约金", 100, 20000, 1},
};
static_assert(std::size(kFeeItems) == kFeeItemCount);

constexpr InvoiceTypeInfo kInvoiceTypes[] = {
    {"01", "增值税专用发票", 0, 50, {100001, 8, false}},
    {"02", "增值税普通发票", 0, 100, {1000001, 8, false}},
    {"03", "增值税电子普通发票", 0, 250, {5000001, 8, false}},
    {"04", "电子发票", 0, 500, {1, 12, true}},
    {"05", "收据", 0, 100, {1, 8, false}},
    {"06", "定额发票", 1, 200, {300001, 8, false}},
};
static_assert(std::size(kInvoiceTypes) == kInvoiceTypeCount);

//                                   物业 能耗 水  电 月租 临停 车位 垃圾 押金 维修 租金 滞纳
constexpr std::array<int, kFeeItemCount> kEstateItems{30, 8, 12, 12, 10, 4, 4, 6, 2, 0, 0, 3};
constexpr std::array<int, kFeeItemCount> kEstateWithFundItems{30, 8, 12, 12, 10, 4, 4, 6, 2, 3, 0, 3};
constexpr std::array<int, kFeeItemCount> kOfficeTowerItems{30, 6, 10, 16, 0, 6, 0, 4, 0, 0, 20, 2};
constexpr std::array<int, kFeeItemCount> kCarParkItems{0, 0, 0, 0, 50, 35, 15, 0, 0, 0, 0, 0};
constexpr std::array<int, kFeeItemCount> kOldEstateItems{40, 0, 20, 20, 0, 0, 0, 10, 0, 0, 0, 3};

//                                           专票 普票 电普 电子 收据 定额
constexpr std::array<int, kInvoiceTypeCount> kEstateTypes{5, 35, 25, 8, 24, 3};
constexpr std::array<int, kInvoiceTypeCount> kEstateWithFundTypes{5, 35, 25, 8, 27, 0};
constexpr std::array<int, kInvoiceTypeCount> kOfficeTowerTypes{45, 25, 15, 5, 10, 0};
constexpr std::array<int, kInvoiceTypeCount> kCarParkTypes{0, 20, 35, 20, 15, 10};
constexpr std::array<int, kInvoiceTypeCount> kOldEstateTypes{0, 50, 0, 0, 50, 0};

// Codes of different lengths on purpose: the department list sorts by length first.
constexpr DepartmentInfo kDepartments[] = {
    {"01", "物业一部", false, 30, PayerStyle::Resident, "翠湖花园", kEstateItems, kEstateTypes},
    {"02", "物业二部", false, 28, PayerStyle::Resident, "锦绣华庭", kEstateWithFundItems, kEstateWithFundTypes},
    {"101", "商业管理部", false, 17, PayerStyle::Company, "金融港大厦", kOfficeTowerItems, kOfficeTowerTypes},
    {"11", "停车场管理中心", false, 20, PayerStyle::Parking, "滨江停车场", kCarParkItems, kCarParkTypes},
    {"03", "物业三部", true, 5, PayerStyle::Resident, "旧城花园", kOldEstateItems, kOldEstateTypes},
};

constexpr OfficeInfo kOffices[] = {
    {"GL01", "翠湖花园管理处", "01"},    {"GL02", "锦绣华庭管理处", "02"},   {"GL03", "锦绣华庭\r\n商业街管理处", "02"},
    {"GL11", "金融港大厦管理处", "101"}, {"GL12", "滨江停车场管理处", "11"}, {"GL04", "旧城花园管理处", "03"},
};

constexpr MissingTaxControlRate kMissingRates[] = {
    {"GL01", kRenovationDeposit},
    {"GL03", kLateFee},
    {"GL11", kSharedEnergyFee},
};

constexpr std::string_view kListedMethods[] = {"现金", "微信支付", "支付宝", "银行转账", "POS刷卡"};

constexpr PaymentChoice kPaymentChoices[] = {
    {"现金", 28, false},  {"微信支付", 25, true},  {"微信", 5, true},
    {"支付宝", 14, true}, {"银行转账", 14, false}, {"POS刷卡", 11, false},
};

}  // namespace

std::span<const FeeItemInfo> feeItems() { return kFeeItems; }
std::span<const InvoiceTypeInfo> invoiceTypes() { return kInvoiceTypes; }
std::span<const DepartmentInfo> departments() { return kDepartments; }
std::span<const OfficeInfo> offices() { return kOffices; }
std::span<const MissingTaxControlRate> missingTaxControlRates() { return kMissingRates; }
std::span<const std::string_view> listedPaymentMethods() { return kListedMethods; }
std::span<const PaymentChoice> paymentChoices() { return kPaymentChoices; }

std::size_t departmentIndexOf(std::string_view code) {
    for (std::size_t i = 0; i < std::size(kDepartments); ++i) {
        if (kDepartments[i].code == code) return i;
    }
    return std::size(kDepartments);
}

}  // namespace tally::demo
