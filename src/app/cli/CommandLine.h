#pragma once
// Command lines of lumaro-cli and lumaro-train, read with CLI11. Numbers are checked strictly
// ("1e3", "10x", "two", "0,7" are mistakes, never a number cut short), and a mistake is answered
// with its reason and the usage on standard error and exit status 2.
#include <CLI/CLI.hpp>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace lumaro::cli {

// A whole number in decimal digits from `lo` to `hi`. The text is rewritten without leading
// zeros, so that CLI11 never reads "010" as octal.
inline CLI::Validator wholeNumber(long long lo, long long hi) {
    const std::string range = std::to_string(lo) + " to " + std::to_string(hi);
    return CLI::Validator(
        [lo, hi, range](std::string& text) -> std::string {
            const std::size_t digitsFrom = !text.empty() && text[0] == '-' ? 1 : 0;
            bool digits = text.size() > digitsFrom;
            for (std::size_t k = digitsFrom; k < text.size(); ++k)
                digits = digits && text[k] >= '0' && text[k] <= '9';
            errno = 0;
            const long long value = digits ? std::strtoll(text.c_str(), nullptr, 10) : 0;
            if (!digits || errno == ERANGE || value < lo || value > hi)
                return "'" + text + "' is not a whole number from " + range;
            text = std::to_string(value);
            return {};
        },
        "whole number from " + range);
}

// A seed: any whole number that fits in 64 bits, in decimal digits.
inline CLI::Validator seedNumber() {
    return CLI::Validator(
        [](std::string& text) -> std::string {
            bool digits = !text.empty();
            for (const char c : text) digits = digits && c >= '0' && c <= '9';
            errno = 0;
            const unsigned long long value = digits ? std::strtoull(text.c_str(), nullptr, 10) : 0;
            if (!digits || errno == ERANGE) return "'" + text + "' is not a whole number from 0 to 2^64-1";
            text = std::to_string(value);
            return {};
        },
        "seed");
}

// A decimal number from `lo` to `hi` (a point, never a comma, before the fraction).
inline CLI::Validator decimalNumber(double lo, double hi) {
    char range[64];
    std::snprintf(range, sizeof range, "%g to %g", lo, hi);
    const std::string rangeText = range;
    return CLI::Validator(
        [lo, hi, rangeText](std::string& text) -> std::string {
            char* end = nullptr;
            const double value = text.empty() ? 0 : std::strtod(text.c_str(), &end);
            if (text.empty() || *end != '\0' || !std::isfinite(value) || value < lo || value > hi)
                return "'" + text + "' is not a number from " + rangeText;
            return {};
        },
        "number from " + rangeText);
}

// Reads argv[1..] into `app` (argv[0] names the program or the command). Returns nothing when the
// line was read; otherwise the exit status, having printed `usage`: to standard output for --help
// (0), to standard error after `program: reason` for a mistake (2).
inline std::optional<int> parseCommandLine(CLI::App& app, int argc, const char* const* argv, const char* program,
                                           const std::string& usage) {
    try {
        app.parse(argc, argv);
        return std::nullopt;
    } catch (const CLI::CallForHelp&) {
        std::fputs(usage.c_str(), stdout);
        return 0;
    } catch (const CLI::ParseError& mistake) {
        std::fprintf(stderr, "%s: %s\n%s", program, mistake.what(), usage.c_str());
        return 2;
    }
}

}  // namespace lumaro::cli
