#include "allocation/FormulaTokens.h"

#include "platform/text/AmountFormat.h"

#include <array>

namespace {

struct Keyword {
    FormulaToken kind;
    QLatin1String text;
};

// Tried in this order: "{COUNTEMP " before "{COUNT ".
constexpr std::array<Keyword, 4> kKeywords = {{
    {FormulaToken::CountEmp, QLatin1String("{COUNTEMP ")},
    {FormulaToken::Count, QLatin1String("{COUNT ")},
    {FormulaToken::SumD, QLatin1String("{SUM_D ")},
    {FormulaToken::SumF, QLatin1String("{SUM_F ")},
}};

// Removes the text up to and including the first space; nothing when there is none.
QStringView afterFirstSpace(QStringView text)
{
    return text.mid(text.indexOf(u' ') + 1);
}

// The text before the first ":"; empty when there is none.
QString beforeColon(QStringView text)
{
    const qsizetype colon = text.indexOf(u':');
    return colon < 0 ? QString() : text.left(colon).toString();
}

} // namespace

QString TokenKeyword(FormulaToken kind)
{
    for (const Keyword &k : kKeywords)
        if (k.kind == kind)
            return QString(k.text);
    return QString();
}

TokenCodes ReadTokenCodes(const QString &token, bool twoPart)
{
    TokenCodes codes;
    QStringView rest = afterFirstSpace(token);
    codes.first = beforeColon(rest);
    if (twoPart) {
        rest = afterFirstSpace(rest);
        codes.second = beforeColon(rest);
    }
    return codes;
}

TokenExpansion ExpandTokens(const QString &formula, const TokenValue &valueOf)
{
    TokenExpansion result;
    const QStringView text(formula);
    qsizetype from = 0;
    for (;;) {
        const qsizetype open = text.indexOf(u'{', from);
        if (open < 0)
            break;
        const QStringView atOpen = text.mid(open);
        const Keyword *keyword = nullptr;
        for (const Keyword &k : kKeywords) {
            if (atOpen.startsWith(k.text)) {
                keyword = &k;
                break;
            }
        }
        // Left as they were, these would never be consumed: stop here and let the caller
        // report the formula.
        if (!keyword) {
            result.text += text.mid(from);
            result.problem = QStringLiteral("公式中有无法识别的“{”");
            return result;
        }
        const qsizetype close = text.indexOf(u'}', open);
        if (close < 0) {
            result.text += text.mid(from);
            result.problem = QStringLiteral("公式中的“{”缺少对应的“}”");
            return result;
        }
        result.text += text.mid(from, open - from);
        result.text += FormatAmount(valueOf(keyword->kind, formula.mid(open, close - open)));
        from = close + 1;
    }
    result.text += text.mid(from);
    return result;
}

QString FormulaFailureMessage(const QString &formula, const QString &reason)
{
    return QStringLiteral("计算表达式：") + formula + QStringLiteral(" 发生错误！") + QLatin1Char('\r')
        + QStringLiteral("错误原因：") + reason;
}
