#pragma once
// Payers and addresses as cashiers type them: people, companies, car owners; now and then two
// names on two lines, an address broken over two lines, or no address at all.
#include <optional>
#include <string>

#include "DemoRandom.h"
#include "DemoReferenceData.h"

namespace tally::demo {

struct Payer {
    std::string name;
    std::optional<std::string> address;
};

Payer makePayer(DemoRandom& random, const DepartmentInfo& department);

// An online payment's transaction number as the payment app issues it (28 digits).
std::string makeTransactionNumber(DemoRandom& random, std::string_view method, std::string_view issueDate);

}  // namespace tally::demo
