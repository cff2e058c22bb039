#include "allocation/CalcExpress.h"

#include "platform/Prompts.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

const char *const kDivisionByZero = "Floating point division by zero";
const char *const kInvalidOperation = "Invalid floating point operation";
const char *const kOverflow = "Floating point overflow";
const char *const kFormulaError = "Error in formula.";

// Deeper nesting than any real formula; keeps the recursive descent far from the stack's end.
constexpr int kMaxNesting = 256;

// Token and node kinds share one numbering.
enum Kind : std::uint8_t {
    End = 0,
    LParen = 1,
    RParen = 2,
    Plus = 3,
    Minus = 4,
    Times = 5,
    Divide = 6,
    Number = 7,
    Variable = 8,
    Negate = 9,
    Cos = 10,
    Sin,
    Tg,
    Ctg,
    Abs,
    Sgn,
    Sqrt,
    Ln,
    Exp,
    ArcSin,
    ArcCos,
    ArcTg,
    ArcCtg,
    Sh,
    Ch,
    Th,
    Cth,
    Heaviside = 27,
    Power = 31,
};

struct FunctionName {
    const char *name;
    std::uint8_t kind;
};

constexpr FunctionName kFunctions[] = {
    {"cos", Cos},       {"sin", Sin},       {"tg", Tg},         {"ctg", Ctg},           {"abs", Abs},
    {"sgn", Sgn},       {"sign", Sgn},      {"sqrt", Sqrt},     {"ln", Ln},             {"exp", Exp},
    {"arcsin", ArcSin}, {"arccos", ArcCos}, {"arctg", ArcTg},   {"arctan", ArcTg},      {"arcctg", ArcCtg},
    {"sh", Sh},         {"sinh", Sh},       {"ch", Ch},         {"cosh", Ch},           {"th", Th},
    {"tanh", Th},       {"cth", Cth},       {"coth", Cth},      {"heaviside", Heaviside}, {"h", Heaviside},
};

// Powers of ten that an 80-bit value holds exactly (5^27 < 2^64).
constexpr std::array<long double, 28> kPowersOfTen = [] {
    std::array<long double, 28> table{};
    long double p = 1;
    for (long double &entry : table) {
        entry = p;
        p *= 10;
    }
    return table;
}();

constexpr long double kHalfPi = 1.570796326794896619231321691639751442L;
constexpr long double kTwoTo63 = 9223372036854775808.0L;

// Significant digits handed to strtold at most; a further non-zero digit is kept as a sticky
// digit so that rounding still sees it. Bounds the cost of absurdly long literals.
constexpr std::size_t kMaxSlowDigits = 5000;

inline bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
inline bool isIdentifierStart(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_'; }
inline bool isIdentifierChar(char16_t c) { return isIdentifierStart(c) || isDigit(c); }
inline bool isBinary(std::uint8_t kind) { return (kind >= Plus && kind <= Divide) || kind == Power; }

QString lowerAscii(const QString &text)
{
    const QChar *begin = text.constData();
    const QChar *end = begin + text.size();
    const QChar *upper = std::find_if(begin, end, [](QChar c) { return c.unicode() >= u'A' && c.unicode() <= u'Z'; });
    if (upper == end)
        return text;
    QString lowered = text;
    QChar *data = lowered.data();
    for (qsizetype i = upper - begin; i < lowered.size(); ++i) {
        const char16_t c = data[i].unicode();
        if (c >= u'A' && c <= u'Z')
            data[i] = QChar(char16_t(c + (u'a' - u'A')));
    }
    return lowered;
}

[[noreturn]] void raise(const char *reason)
{
    throw EvalError(reason);
}

// Every result passes here: our operands are always finite, so an infinite result is an
// overflow and a NaN an invalid operation.
inline long double checked(long double r)
{
    if (std::isinf(r))
        raise(kOverflow);
    if (std::isnan(r))
        raise(kInvalidOperation);
    return r;
}

inline long double divide(long double a, long double b)
{
    if (b == 0)
        raise(a == 0 ? kInvalidOperation : kDivisionByZero);
    return checked(a / b);
}

inline long double squareRoot(long double x)
{
    if (x < 0)
        raise(kInvalidOperation);
    return sqrtl(x);
}

inline long double naturalLog(long double x)
{
    if (x == 0)
        raise(kDivisionByZero);
    if (x < 0)
        raise(kInvalidOperation);
    return checked(logl(x));
}

inline long double exponential(long double x)
{
    return checked(expl(x));
}

long double integralPower(long double base, std::uint32_t n)
{
    long double result = 1;
    for (;;) {
        if (n & 1u)
            result = checked(result * base);
        n >>= 1;
        if (n == 0)
            return result;
        base = checked(base * base);
    }
}

long double power(long double base, long double exponent)
{
    if (exponent == 0)
        return 1;
    if (base == 0 && exponent > 0)
        return 0;
    const long double magnitude = fabsl(exponent);
    if (magnitude <= 2147483647.0L && truncl(exponent) == exponent) {
        const long double raised = integralPower(base, std::uint32_t(magnitude));
        return exponent < 0 ? divide(1, raised) : raised;
    }
    return exponential(checked(exponent * naturalLog(base)));
}

long double function(std::uint8_t kind, long double x)
{
    switch (kind) {
    case Cos:
        return fabsl(x) >= kTwoTo63 ? 0 : cosl(x);
    case Sin:
        return fabsl(x) >= kTwoTo63 ? 0 : sinl(x);
    case Tg:
        return checked(tanl(x));
    case Ctg:
        return divide(1, checked(tanl(x)));
    case Abs:
        return fabsl(x);
    case Sgn:
        return x < 0 ? -1 : (x > 0 ? 1 : 0);
    case Sqrt:
        return squareRoot(x);
    case Ln:
        return naturalLog(x);
    case Exp:
        return exponential(x);
    case ArcSin:
        return atan2l(x, squareRoot(checked(1 - checked(x * x))));
    case ArcCos:
        return atan2l(squareRoot(checked(1 - checked(x * x))), x);
    case ArcTg:
        return atanl(x);
    case ArcCtg:
        return kHalfPi - atanl(x);
    case Sh:
    case Ch:
    case Th:
    case Cth: {
        const long double ex = exponential(x);
        const long double emx = exponential(-x);
        switch (kind) {
        case Sh:
            return checked(ex - emx) / 2;
        case Ch:
            return checked(ex + emx) / 2;
        case Th:
            return divide(checked(ex - emx), checked(ex + emx));
        default:
            return divide(checked(ex + emx), checked(ex - emx));
        }
    }
    case Heaviside:
        return x >= 0 ? 1 : 0;
    default:
        return 0;
    }
}

} // namespace

// Recursive descent over the lower-cased formula, writing the tree in post-order into the
// owner's program. Stops at the first error: the assignment fails either way.
struct TCalcExpress::Parser {
    explicit Parser(TCalcExpress &owner)
        : calc(owner), text(reinterpret_cast<const char16_t *>(owner.m_formula.constData())),
          length(owner.m_formula.size())
    {
    }

    TCalcExpress &calc;
    const char16_t *text;
    qsizetype length;
    qsizetype pos = 0;
    std::uint8_t current = End;  // kind of the token scanned last
    std::uint8_t previous = End; // kind of the token before it
    std::uint8_t token = End;    // what the last scan returned
    int depth = 0;               // open parentheses not yet closed
    int nesting = 0;             // recursion guard
    int stack = 0;
    int maxStack = 0;
    bool failed = false;
    // Payload of a number or variable token.
    long double value = 0;
    bool outOfRange = false;
    std::int32_t index = 0;

    bool fail()
    {
        failed = true;
        pos = length; // every further scan sees the end
        token = End;
        return false;
    }

    void scan()
    {
        while (pos < length && text[pos] == u' ')
            ++pos;
        if (pos >= length) {
            token = End;
            return;
        }
        const char16_t c = text[pos];
        std::uint8_t kind;
        switch (c) {
        case u'(':
            kind = LParen;
            ++pos;
            break;
        case u')':
            kind = RParen;
            ++pos;
            break;
        case u'+':
            kind = Plus;
            ++pos;
            break;
        case u'*':
            kind = Times;
            ++pos;
            break;
        case u'/':
            kind = Divide;
            ++pos;
            break;
        case u'^':
            kind = Power;
            ++pos;
            break;
        case u'-':
            ++pos;
            // A "-" that opens the formula or follows "(" and stands before a digit is part
            // of a negative literal.
            if (pos < length && isDigit(text[pos]) && (current == End || current == LParen)) {
                if (!readNumber(true))
                    return;
                kind = Number;
            } else {
                kind = Minus;
            }
            break;
        default:
            if (isDigit(c)) {
                if (!readNumber(false))
                    return;
                kind = Number;
            } else if (isIdentifierStart(c)) {
                if (!readIdentifier(kind))
                    return;
            } else {
                fail(); // tab, line break, comma, non-ASCII...
                return;
            }
        }
        previous = current;
        current = kind;
        token = kind;
    }

    // Digits, an optional fraction and an optional exponent; `pos` is at the first digit.
    bool readNumber(bool negative)
    {
        const qsizetype start = pos;
        std::uint64_t mantissa = 0;
        int digits = 0;       // significant digits held in mantissa
        long long scale = 0;  // value = mantissa * 10^scale
        bool exact = true;    // no non-zero digit dropped
        for (; pos < length && isDigit(text[pos]); ++pos) {
            const unsigned d = text[pos] - u'0';
            if (digits < 19) {
                mantissa = mantissa * 10 + d;
                if (mantissa != 0)
                    ++digits;
            } else {
                ++scale;
                exact = exact && d == 0;
            }
        }
        if (pos < length && text[pos] == u'.') {
            if (pos + 1 >= length || !isDigit(text[pos + 1]))
                return fail(); // "1." is a wrong number
            for (++pos; pos < length && isDigit(text[pos]); ++pos) {
                const unsigned d = text[pos] - u'0';
                if (digits < 19) {
                    mantissa = mantissa * 10 + d;
                    if (mantissa != 0)
                        ++digits;
                    --scale;
                } else {
                    exact = exact && d == 0;
                }
            }
        }
        if (pos < length && (text[pos] == u'e' || text[pos] == u'E')) {
            qsizetype q = pos + 1;
            bool negativeExponent = false;
            if (q < length && (text[q] == u'+' || text[q] == u'-')) {
                negativeExponent = text[q] == u'-';
                ++q;
            }
            if (q >= length || !isDigit(text[q]))
                return fail(); // "1e" and "1e+" are wrong numbers
            long long exponent = 0;
            for (; q < length && isDigit(text[q]); ++q)
                if (exponent < 100000000)
                    exponent = exponent * 10 + (text[q] - u'0');
            scale += negativeExponent ? -exponent : exponent;
            pos = q;
        }
        outOfRange = false;
        if (mantissa == 0 && exact) {
            value = 0;
        } else if (exact && scale >= -27 && scale <= 27) {
            // One correctly rounded operation on exact operands.
            const long double m = static_cast<long double>(mantissa);
            value = scale >= 0 ? m * kPowersOfTen[size_t(scale)] : m / kPowersOfTen[size_t(-scale)];
        } else {
            value = slowNumber(start, pos);
        }
        if (negative)
            value = -value;
        return true;
    }

    // Exact conversion through the C library, from the significant digits alone (no decimal
    // separator, so the process locale does not matter).
    long double slowNumber(qsizetype begin, qsizetype end)
    {
        std::string digits;
        long long scale = 0;
        bool sticky = false;
        bool fraction = false;
        qsizetype i = begin;
        for (; i < end && text[i] != u'e' && text[i] != u'E'; ++i) {
            const char16_t c = text[i];
            if (c == u'.') {
                fraction = true;
                continue;
            }
            if (digits.empty() && c == u'0') {
                if (fraction)
                    --scale;
                continue;
            }
            if (digits.size() < kMaxSlowDigits) {
                digits += char(c);
                if (fraction)
                    --scale;
            } else {
                if (!fraction)
                    ++scale;
                sticky = sticky || c != u'0';
            }
        }
        if (digits.empty())
            return 0;
        if (sticky) {
            digits += '1';
            --scale;
        }
        if (i < end) {
            ++i;
            bool negativeExponent = false;
            if (text[i] == u'+' || text[i] == u'-') {
                negativeExponent = text[i] == u'-';
                ++i;
            }
            long long exponent = 0;
            for (; i < end; ++i)
                if (exponent < 100000000)
                    exponent = exponent * 10 + (text[i] - u'0');
            scale += negativeExponent ? -exponent : exponent;
        }
        scale = std::clamp(scale, -1000000000LL, 1000000000LL);
        digits += 'e';
        digits += std::to_string(scale);
        errno = 0;
        const long double result = std::strtold(digits.c_str(), nullptr);
        if (std::isinf(result)) {
            outOfRange = true;
            return 0;
        }
        return result;
    }

    bool readIdentifier(std::uint8_t &kind)
    {
        const qsizetype start = pos;
        while (pos < length && isIdentifierChar(text[pos]))
            ++pos;
        const qsizetype size = pos - start;
        for (const FunctionName &f : kFunctions) {
            const qsizetype n = qsizetype(std::char_traits<char>::length(f.name));
            if (n != size)
                continue;
            qsizetype k = 0;
            while (k < n && text[start + k] == char16_t(f.name[k]))
                ++k;
            if (k == n) {
                kind = f.kind;
                return true;
            }
        }
        const QStringView name(text + start, size);
        for (qsizetype v = 0; v < calc.m_variables.size(); ++v) {
            if (name.compare(calc.m_variables.at(v), Qt::CaseInsensitive) == 0) {
                kind = Variable;
                index = std::int32_t(v);
                return true;
            }
        }
        return fail(); // neither a function nor a declared variable
    }

    void push(std::uint8_t kind)
    {
        Op op;
        op.kind = kind;
        if (kind == Number) {
            op.value = value;
            op.outOfRange = outOfRange;
        } else if (kind == Variable) {
            op.index = index;
        }
        calc.m_program.push_back(op);
        if (kind == Number || kind == Variable)
            maxStack = std::max(maxStack, ++stack);
        else if (isBinary(kind))
            --stack;
    }

    // term { ("+" | "-") term }, ending at the end of the text or at ")".
    bool expression()
    {
        if (!term())
            return false;
        while (token == Plus || token == Minus) {
            const std::uint8_t op = token;
            if (!term())
                return false;
            push(op);
        }
        if (token == RParen) {
            --depth;
            return true;
        }
        if (token == End)
            return true;
        return fail();
    }

    // A sign is allowed only at the start of the formula or right after "(".
    bool term()
    {
        scan();
        bool negate = false;
        if (previous == End || previous == LParen) {
            if (token == Minus) {
                negate = true;
                scan();
            }
            if (token == Plus)
                scan();
        }
        if (!factor())
            return false;
        while (token == Times || token == Divide) {
            const std::uint8_t op = token;
            scan();
            if (!factor())
                return false;
            push(op);
        }
        if (negate)
            push(Negate);
        return true;
    }

    bool factor()
    {
        if (!primary())
            return false;
        while (token == Power) {
            if (!exponent())
                return false;
            push(Power);
        }
        return true;
    }

    bool nested()
    {
        if (++nesting > kMaxNesting)
            return fail();
        ++depth;
        const bool ok = expression();
        --nesting;
        return ok;
    }

    bool primary()
    {
        if (failed)
            return false;
        switch (token) {
        case LParen:
            if (!nested())
                return false;
            break;
        case Number:
        case Variable:
            push(token);
            break;
        default:
            if (token >= Cos && token <= Heaviside) {
                const std::uint8_t f = token;
                scan();
                if (token != LParen)
                    return fail(); // "sin 1"
                if (!nested())
                    return false;
                push(f);
                break;
            }
            return fail();
        }
        scan();
        return true;
    }

    // A number or variable, bare or in parentheses.
    bool exponent()
    {
        scan();
        bool parenthesised = false;
        if (token == LParen) {
            parenthesised = true;
            scan();
        }
        if (token != Number && token != Variable)
            return fail();
        push(token);
        if (parenthesised) {
            scan();
            if (token != RParen)
                return fail();
        }
        scan();
        return true;
    }
};

TCalcExpress::TCalcExpress(QObject *owner) : QObject(owner)
{
    setFormula(QStringLiteral("0"));
}

TCalcExpress::~TCalcExpress() = default;

void TCalcExpress::setFormula(const QString &text)
{
    m_program.clear();
    m_hasTree = false;
    m_formula = lowerAscii(text);
    if (!parse())
        Prompts::instance().message(QString::fromLatin1(kFormulaError));
}

QString TCalcExpress::formula() const
{
    return m_formula;
}

void TCalcExpress::setVariables(const QStringList &names)
{
    m_variables = names;
    setFormula(m_formula);
}

QStringList TCalcExpress::variables() const
{
    return m_variables;
}

bool TCalcExpress::parse()
{
    Parser parser(*this);
    const bool ok = parser.expression() && !parser.failed && parser.depth == 0;
    if (!ok) {
        m_program.clear();
        return false;
    }
    m_stackNeed = parser.maxStack;
    m_hasTree = true;
    return true;
}

long double TCalcExpress::Evaluate(const std::vector<long double> &values) const
{
    if (!m_hasTree)
        raise(kFormulaError);
    constexpr int kLocal = 64;
    long double local[kLocal];
    local[0] = 0;
    std::vector<long double> spill;
    long double *stack = local;
    if (m_stackNeed > kLocal) {
        spill.resize(size_t(m_stackNeed));
        stack = spill.data();
    }
    int top = -1;
    for (const Op &op : m_program) {
        switch (op.kind) {
        case Number:
            if (op.outOfRange)
                raise(kOverflow);
            stack[++top] = op.value;
            break;
        case Variable:
            // A value the caller did not supply is as undefined as an invalid operation.
            if (op.index < 0 || size_t(op.index) >= values.size())
                raise(kInvalidOperation);
            stack[++top] = checked(values[size_t(op.index)]);
            break;
        case Plus:
            --top;
            stack[top] = checked(stack[top] + stack[top + 1]);
            break;
        case Minus:
            --top;
            stack[top] = checked(stack[top] - stack[top + 1]);
            break;
        case Times:
            --top;
            stack[top] = checked(stack[top] * stack[top + 1]);
            break;
        case Divide:
            --top;
            stack[top] = divide(stack[top], stack[top + 1]);
            break;
        case Power:
            --top;
            stack[top] = power(stack[top], stack[top + 1]);
            break;
        case Negate:
            stack[top] = -stack[top];
            break;
        default:
            stack[top] = function(op.kind, stack[top]);
            break;
        }
    }
    return stack[0];
}
