#include "DemoCommandLine.h"

#include <charconv>
#include <limits>

#include "DemoReferenceData.h"

namespace tally::demo {

namespace {

template <typename Number>
Number parseNumber(const std::string& option, const std::string& text, Number low, Number high) {
    Number value{};
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error == std::errc::invalid_argument || stop != end)
        throw DemoError(option + " needs a whole number, not \"" + text + "\"");
    if (error == std::errc::result_out_of_range || value < low || value > high)
        throw DemoError(option + " must be between " + std::to_string(low) + " and " + std::to_string(high) + ", not " +
                        text);
    return value;
}

}  // namespace

DemoRequest parseDemoCommandLine(const std::vector<std::string>& arguments) {
    DemoRequest request;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "-h" || argument == "--help") {
            request.showHelp = true;
            continue;
        }
        if (argument.starts_with("-") && argument != "-") {
            if (argument != "--seed" && argument != "--invoices" && argument != "--years" &&
                argument != "--first-year" && argument != "--fee-items")
                throw DemoError("unknown option " + argument);
            if (i + 1 >= arguments.size()) throw DemoError(argument + " needs a value");
            const std::string& value = arguments[++i];
            if (argument == "--seed")
                request.options.seed =
                    parseNumber<std::uint64_t>(argument, value, 0, std::numeric_limits<std::uint64_t>::max());
            else if (argument == "--invoices")
                request.options.invoicesPerYear =
                    parseNumber<std::int64_t>(argument, value, 1, std::numeric_limits<std::int64_t>::max());
            else if (argument == "--years") request.options.years = parseNumber<int>(argument, value, 1, 9999);
            else if (argument == "--fee-items")
                request.options.feeItems = parseNumber<int>(argument, value, kFeeItemCount, kMaxFeeItems);
            else request.options.firstYear = parseNumber<int>(argument, value, 1000, 9999);
            continue;
        }
        if (!request.outputPath.empty())
            throw DemoError("only one output file, got \"" + request.outputPath + "\" and \"" + argument + "\"");
        request.outputPath = argument;
    }
    if (request.showHelp) return request;
    if (request.outputPath.empty()) throw DemoError("no output file given");
    validateDemoOptions(request.options);
    return request;
}

std::string demoUsage(const std::string& program) {
    return "Usage: " + program +
           " OUT.sqlite [--seed N] [--invoices N] [--years N] [--first-year YYYY] [--fee-items N]\n"
           "Writes a demo fee database (replacing OUT.sqlite if it exists).\n"
           "  --seed N            random seed; the same seed gives the same rows (default 1)\n"
           "  --invoices N        invoices issued per year (default 3000)\n"
           "  --years N           number of years covered (default 2)\n"
           "  --first-year YYYY   first year covered (default 2025)\n"
           "  --fee-items N       fee items in use (" +
           std::to_string(kFeeItemCount) + " to " + std::to_string(kMaxFeeItems) +
           "): the built-in ones, then generated ones;\n"
           "                      every department invoices every item (the maintenance fund\n"
           "                      only its own) every month; the invoices stay those of the\n"
           "                      seed, only their lines change (default: the built-in items,\n"
           "                      each department with its own)\n";
}

}  // namespace tally::demo
