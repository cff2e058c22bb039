#include "allocation/CalcParser.h"

#include "allocation/CalcNumber.h"

#include <QLatin1String>

#include <algorithm>

namespace calc {

namespace {

struct FunctionName {
    QLatin1String name;
    std::uint8_t kind;
};

constexpr FunctionName kFunctions[] = {
    {QLatin1String("cos"), Cos},        {QLatin1String("sin"), Sin},           {QLatin1String("tg"), Tg},
    {QLatin1String("ctg"), Ctg},        {QLatin1String("abs"), Abs},           {QLatin1String("sgn"), Sgn},
    {QLatin1String("sign"), Sgn},       {QLatin1String("sqrt"), Sqrt},         {QLatin1String("ln"), Ln},
    {QLatin1String("exp"), Exp},        {QLatin1String("arcsin"), ArcSin},     {QLatin1String("arccos"), ArcCos},
    {QLatin1String("arctg"), ArcTg},    {QLatin1String("arctan"), ArcTg},      {QLatin1String("arcctg"), ArcCtg},
    {QLatin1String("sh"), Sh},          {QLatin1String("sinh"), Sh},           {QLatin1String("ch"), Ch},
    {QLatin1String("cosh"), Ch},        {QLatin1String("th"), Th},             {QLatin1String("tanh"), Th},
    {QLatin1String("cth"), Cth},        {QLatin1String("coth"), Cth},          {QLatin1String("heaviside"), Heaviside},
    {QLatin1String("h"), Heaviside},
};

// Deeper nesting than any real formula; keeps the recursive descent far from the stack's end.
constexpr int kMaxDepth = 256;

inline bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
inline bool isIdentifierStart(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_'; }
inline bool isIdentifierChar(char16_t c) { return isIdentifierStart(c) || isDigit(c); }
inline bool isBinary(std::uint8_t kind) { return (kind >= Plus && kind <= Divide) || kind == Power; }

// Recursive descent with one token of look-ahead, writing the tree in post-order. Stops at the
// first error: the formula is rejected either way.
struct Parser {
    Parser(QStringView formula, const QStringList &names, Program &out)
        : text(formula.utf16()), length(formula.size()), variables(names), program(out)
    {
    }

    const char16_t *text;
    qsizetype length;
    const QStringList &variables;
    Program &program;

    qsizetype pos = 0;
    std::uint8_t current = End;  // kind of the token scanned last
    std::uint8_t previous = End; // kind of the token before it
    std::uint8_t token = End;    // what the last scan returned: End at the end, `current` otherwise
    int depth = 0;               // open parentheses not yet closed
    int stack = 0;               // values the program leaves pending so far
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

    // At the end of the text the token is End, and `current` and `previous` stay as they were.
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

    // `pos` is at the first digit.
    bool readNumber(bool negative)
    {
        const NumberLiteral number = ReadNumber(QStringView(text, length), pos);
        if (number.end < 0)
            return fail(); // "1.", "1e", "1e+"
        pos = number.end;
        value = negative ? -number.value : number.value;
        outOfRange = number.outOfRange;
        return true;
    }

    bool readIdentifier(std::uint8_t &kind)
    {
        const qsizetype start = pos;
        while (pos < length && isIdentifierChar(text[pos]))
            ++pos;
        const QStringView name(text + start, pos - start);
        for (const FunctionName &f : kFunctions) {
            if (name.size() == f.name.size() && name == f.name) {
                kind = f.kind;
                return true;
            }
        }
        for (qsizetype v = 0; v < variables.size(); ++v) {
            if (name.compare(variables.at(v), Qt::CaseInsensitive) == 0) {
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
        program.ops.push_back(op);
        if (kind == Number || kind == Variable)
            program.stackNeed = std::max(program.stackNeed, ++stack);
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

    // The expression after "(", up to its ")". `depth` also counts the parser's own nesting.
    bool nested()
    {
        if (++depth > kMaxDepth)
            return fail();
        return expression();
    }

    bool primary()
    {
        if (token == LParen) {
            if (!nested())
                return false;
        } else if (token == Number || token == Variable) {
            push(token);
        } else if (isFunction(token)) {
            const std::uint8_t f = token;
            scan();
            if (token != LParen)
                return fail(); // "sin 1"
            if (!nested())
                return false;
            push(f);
        } else {
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

} // namespace

bool Parse(QStringView formula, const QStringList &variables, Program &program)
{
    // Cleared rather than replaced: the formula is parsed afresh for every table cell, and the
    // steps' storage is reused.
    program.ops.clear();
    program.stackNeed = 0;
    Parser parser(formula, variables, program);
    if (parser.expression() && !parser.failed && parser.depth == 0)
        return true;
    program.ops.clear();
    return false;
}

} // namespace calc
