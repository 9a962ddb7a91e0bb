#pragma once
// Decimal strings and the big-number pages' computations.
//
// A decimal string is digits with at most one "." and, at the page level, an
// optional leading "-". The text routines keep the program's historical names
// and output-parameter style; the exact arithmetic underneath is the natural
// number engine of natural.h. Each page action is a free function from the
// page's input texts to what the page shows, so it runs without a window.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/work_control.h"

namespace numerelle::bignum {

// ---- Text routines -------------------------------------------------------

// Deletes every blank of s (leading, trailing and inside).
void removeSpaces(std::string& s);

// The normal form: leading zeros removed (one character kept); with a point,
// trailing zeros removed too, and a text then shorter than 3 characters is
// replaced by the signed number text of its value ("3." -> " 3", "." -> " 0").
void normaliseDecimal(std::string& s);

// Splits a signed decimal into its digits (s, without sign and point), a
// sign flag (negative = -1 for a leading "-", else 0) and a power of ten x10
// with |value| = s * 10^x10. A whole number's trailing zeros move into x10.
void splitDecimal(std::string& s, std::int64_t& x10, int& negative);

// Puts "-" in front when g = -1 (unless already there), then appends x zeros
// (x > 0) or inserts a point before the last -x digits (x < 0), padding the
// digits with leading zeros when there are fewer than -x of them.
void applySignAndExponent(std::string& r, std::int64_t x, int g);

// Exact sum and difference of unsigned decimal strings, in normal form. The
// difference is "-" followed by the magnitude when y > x.
void bigAdd(std::string_view x, std::string_view y, std::string& out);
void bigSubtract(std::string_view x, std::string_view y, std::string& out);
// Exact product of unsigned decimal strings, in normal form. False (out
// untouched) when the work was cancelled.
bool bigMultiply(std::string_view x, std::string_view y, std::string& out, WorkControl& control);

// ---- Checking what the user typed ---------------------------------------

enum class DecimalTextProblem { None, MisplacedMinus, TwoPoints, OtherCharacter };

// Checks a signed decimal string (blanks already removed): digits, at most one
// ".", and "-" only as the first character.
DecimalTextProblem checkDecimalText(std::string_view text);
std::string decimalTextMessage(DecimalTextProblem problem);

// The messages a decimal input box shows when it loses the focus: a "-"
// after the first character, then a second point. The text is not changed.
std::vector<std::string> decimalBoxFocusMessages(std::string_view text);

// The value of the leading run of digits after any blanks, saturating at the
// largest uint64 (no digits: 0). Whole-number boxes are read this way.
std::uint64_t leadingWholeNumber(std::string_view text);

// ---- Page actions --------------------------------------------------------

// What a page shows after one button press.
struct PageOutcome {
    std::optional<std::string> result;  // new text of the result box; none: unchanged
    bool resultIsFailure = false;       // the result box holds a refusal, not a value
    std::vector<std::string> messages;  // message boxes, in order
    bool beep = false;
    bool cancelled = false;                // the user cancelled; nothing changes
    std::optional<double> elapsedSeconds;  // for the button's tool tip
};

// The button's tool tip for an elapsed time: " .25秒".
std::string elapsedSecondsText(double seconds);

// Sum and difference of two signed decimal strings (a + b, a - b).
PageOutcome computeSum(std::string_view a, std::string_view b);
PageOutcome computeDifference(std::string_view a, std::string_view b);
// Product of two signed decimal strings.
PageOutcome computeProduct(std::string_view a, std::string_view b, WorkControl& control);
// n! for n up to 99999.
PageOutcome computeFactorial(std::string_view n, WorkControl& control);
// A signed decimal string raised to a whole power.
PageOutcome computePower(std::string_view base, std::string_view exponent, WorkControl& control);
// Permutations P(n, m) and combinations C(n, m): m is the upper box (the
// selection), n the lower one (the set size, digits of any length).
PageOutcome computePermutation(std::string_view m, std::string_view n, WorkControl& control);
PageOutcome computeCombination(std::string_view m, std::string_view n, WorkControl& control);

// The largest result text the power page builds (in characters) before it
// reports exhausted memory instead of trying.
inline constexpr std::uint64_t kMaxPowerDigits = 100'000'000;
// How many digits and points the power page writes for (digits × 10^shift)^e,
// leaving out a sign or blank; digits have no leading or trailing zeros.
double powerTextLength(std::string_view digits, std::int64_t shift, std::uint64_t e);

// ---- Greatest common divisor and least common multiple -------------------

// The most numbers the page accepts.
inline constexpr std::uint64_t kMaxGcdCount = 100'000;

// The count box after focus loss: its new text, whether it beeps (count
// below 2), and the count to use (0 when nothing else happens).
struct GcdCount {
    std::string text;
    bool beep = false;
    std::size_t count = 0;
};
GcdCount gcdCountFromText(std::string_view text);

// The text a number box is rewritten to as the user types: the digits of the
// absolute value of the whole part of its leading number ("0" when none).
std::string gcdNumberText(std::string_view text);

// What the two buttons write: the divisor box (Text46) and the multiple box
// (Text45); each button's refusal "数太大了！" goes into its own box.
struct GcdOutcome {
    std::optional<std::string> divisorBox;
    std::optional<std::string> multipleBox;
    std::vector<std::string> messages;
    bool beep = false;
    bool cancelled = false;
    bool failed = false;  // no result was produced
};
// `numbers` are texts as gcdNumberText makes them (an empty text counts as 0).
GcdOutcome computeGcd(const std::vector<std::string>& numbers, WorkControl& control);
GcdOutcome computeLcm(const std::vector<std::string>& numbers, WorkControl& control);

}  // namespace numerelle::bignum
