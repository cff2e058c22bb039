// Feeds arbitrary text to the formula parser, the evaluator and the token expansion, and
// checks what must hold for any text: no crash or hang, a parsed formula evaluates to a finite
// value or fails with one of the evaluator's reasons, a failed parse always reports.
#include "../QuietPrompts.h"
#include "allocation/CalcExpress.h"
#include "allocation/FormulaTokens.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

QuietPrompts &prompts()
{
    static QuietPrompts instance;
    static const bool installed = (Prompts::install(&instance), true);
    (void)installed;
    return instance;
}

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool isReason(const char *text)
{
    return std::strcmp(text, "Floating point division by zero") == 0
        || std::strcmp(text, "Invalid floating point operation") == 0
        || std::strcmp(text, "Floating point overflow") == 0 || std::strcmp(text, "Error in formula.") == 0;
}

void evaluate(TCalcExpress &calc, const QString &text)
{
    const int before = prompts().messages;
    calc.setFormula(text);
    const bool parsed = prompts().messages == before;
    require(prompts().messages - before <= 1);
    require(calc.formula().size() == text.size());
    static const std::vector<long double> values(101, 0.0L);
    try {
        const long double value = calc.Evaluate(values);
        require(parsed);
        require(std::isfinite(value));
    } catch (const EvalError &e) {
        require(isReason(e.what()));
        require(parsed == (std::strcmp(e.what(), "Error in formula.") != 0));
    }
}

// Token values of every kind of sign and size, decided by the token text.
double tokenValue(FormulaToken kind, const QString &token)
{
    const TokenCodes codes = ReadTokenCodes(token, kind == FormulaToken::Count || kind == FormulaToken::CountEmp);
    const size_t h = qHash(codes.first) ^ (qHash(codes.second) << 1);
    switch (h % 6) {
    case 0:
        return 0;
    case 1:
        return -double(h % 100000) / 100.0;
    case 2:
        return double(h % 1000);
    case 3:
        return 1e300;
    case 4:
        return 0.005;
    default:
        return double(h) / 7.0;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    prompts();
    TCalcExpress calc;
    const QString utf8 = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    evaluate(calc, utf8);
    evaluate(calc, QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size)));

    const TokenExpansion expansion = ExpandTokens(utf8, tokenValue);
    require(expansion.problem.isEmpty() || utf8.contains(u'{'));
    if (expansion.problem.isEmpty()) {
        require(!expansion.text.contains(u'{'));
        evaluate(calc, expansion.text);
    }
    require(FormulaFailureMessage(utf8, QStringLiteral("x")).size() > utf8.size());
    return 0;
}
