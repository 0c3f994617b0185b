#include "core/almanac/seventeen_digits.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

namespace velmarin {

namespace {

using Wide = unsigned __int128;

constexpr int kDigits = 17;
// Scales up to 10^21: a mantissa below 2^53 times 10^21 stays below 2^124.
constexpr int kMaxScale = 21;

constexpr std::array<Wide, kMaxScale + 1> PowersOfTen() {
    std::array<Wide, kMaxScale + 1> powers{};
    Wide p = 1;
    for (Wide& power : powers) {
        power = p;
        p *= 10;
    }
    return powers;
}
constexpr std::array<Wide, kMaxScale + 1> kPowerOfTen = PowersOfTen();
constexpr std::uint64_t kLowest = 10000000000000000ULL;  // 10^16, the smallest 17-digit number
constexpr std::uint64_t kBeyond = 100000000000000000ULL;  // 10^17

}  // namespace

bool AppendSeventeenDigits(std::string& out, double value) {
    if (value == 0.0) {
        out += std::signbit(value) ? "-0" : "0";
        return true;
    }
    const double magnitude = std::fabs(value);
    if (!(magnitude >= 1e-4 && magnitude < 1e17)) return false;
    // magnitude = mantissa / 2^shift exactly (a normal number: the range
    // above has no others).
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const int biased = static_cast<int>(bits >> 52);
    const std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int shift = 1075 - biased;

    // The decimal exponent X of the first digit, from the binary one: it is
    // this or one more, which the digits' count then tells.
    const int binaryExponent = biased - 1023;  // magnitude in [2^e, 2^(e+1))
    int exponent = static_cast<int>(std::floor(binaryExponent * 0.30102999566398120));
    std::uint64_t digits = 0;
    for (int attempt = 0;; ++attempt) {
        const int scale = kDigits - 1 - exponent;
        if (scale < 0 || scale > kMaxScale || attempt > 2) return false;
        const Wide scaled = static_cast<Wide>(mantissa) * kPowerOfTen[static_cast<std::size_t>(scale)];
        Wide whole = scaled;
        Wide rest = 0;
        Wide half = 0;
        if (shift > 0) {
            whole = scaled >> shift;
            rest = scaled & ((static_cast<Wide>(1) << shift) - 1);
            half = static_cast<Wide>(1) << (shift - 1);
        } else {
            whole = scaled << -shift;
        }
        if (whole < kLowest) {
            --exponent;
            continue;
        }
        if (whole >= kBeyond) {
            ++exponent;
            continue;
        }
        digits = static_cast<std::uint64_t>(whole);
        // Half to even, on the exact value.
        if (shift > 0 && (rest > half || (rest == half && (digits & 1) != 0))) ++digits;
        if (digits == kBeyond) {
            digits = kLowest;
            ++exponent;
        }
        break;
    }
    // Past 17 digits before the point, or below 1e-4, "%g" writes an exponent.
    if (exponent >= kDigits || exponent < -4) return false;

    // Two digits at a time from the top and bottom eight and the first one.
    char text[kDigits];
    const auto pairs = [](char* to, std::uint32_t eight) {
        for (int i = 6; i >= 0; i -= 2) {
            const std::uint32_t pair = eight % 100;
            eight /= 100;
            to[i] = static_cast<char>('0' + pair / 10);
            to[i + 1] = static_cast<char>('0' + pair % 10);
        }
    };
    pairs(text + 9, static_cast<std::uint32_t>(digits % 100000000));
    digits /= 100000000;
    pairs(text + 1, static_cast<std::uint32_t>(digits % 100000000));
    text[0] = static_cast<char>('0' + digits / 100000000);
    int last = kDigits;  // digits kept: the trailing zeros of the fraction go
    const int wholeDigits = exponent >= 0 ? exponent + 1 : 0;
    while (last > wholeDigits && text[last - 1] == '0') --last;

    if (value < 0) out += '-';
    if (exponent >= 0) {
        out.append(text, static_cast<std::size_t>(wholeDigits));
        if (last > wholeDigits) {
            out += '.';
            out.append(text + wholeDigits, static_cast<std::size_t>(last - wholeDigits));
        }
    } else {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out.append(text, static_cast<std::size_t>(last));
    }
    return true;
}

}  // namespace velmarin
