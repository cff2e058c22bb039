#pragma once

#include <QString>

namespace db {
class DataSet;
}
struct CategoryTable;

// A new child code: the parent's code followed by the highest sibling number plus one,
// four digits wide. Codes are never drawn past 9999 children, and a highest sibling code
// that is not a number gives no code, so the same code is never handed out twice.
struct DrawnCode {
    enum Status { Ok, QueryFailed, NotANumber, Full };
    Status status = Ok;
    QString code; // empty unless Ok
};

inline constexpr int kMaxSiblings = 9999;

// From the highest sibling code as read ("" when the parent has no child yet).
// True for a non-empty text of decimal digits only.
bool IsDigitCode(const QString &text);

DrawnCode NextChildCode(const QString &parentCode, const QString &highestSibling);

// Reads the highest sibling code of `parentCode` ("" = top level) with `query` and draws
// the next one. Never throws: a failing query gives QueryFailed.
DrawnCode DrawChildCode(db::DataSet &query, const CategoryTable &table, const QString &parentCode);

// The text the user is shown when no code could be drawn.
QString DrawnCodeMessage(DrawnCode::Status status);
