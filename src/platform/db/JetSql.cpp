#include "platform/db/JetSql.h"

namespace db {

QString translateJetSql(const QString &sql)
{
    QString out;
    out.reserve(sql.size());
    const qsizetype n = sql.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = sql.at(i);
        if (c == u'\'' || c == u'"') {
            // Copy the quoted text whole; a doubled quote stays inside the literal.
            const qsizetype start = i;
            ++i;
            while (i < n) {
                if (sql.at(i) == c) {
                    if (i + 1 < n && sql.at(i + 1) == c) {
                        i += 2;
                        continue;
                    }
                    break;
                }
                ++i;
            }
            out += QStringView(sql).mid(start, (i < n ? i + 1 : n) - start);
            continue;
        }
        if (c == u'#') {
            const qsizetype close = sql.indexOf(u'#', i + 1);
            if (close > i) {
                const QStringView inner = QStringView(sql).mid(i + 1, close - i - 1);
                if (!inner.isEmpty() && !inner.contains(u'\'') && !inner.contains(u'\n')) {
                    out += u'\'';
                    out += inner.trimmed();
                    out += u'\'';
                    i = close;
                    continue;
                }
            }
        }
        if (c == u'[') {
            const qsizetype close = sql.indexOf(u']', i + 1);
            if (close > i) {
                out += u'"';
                out += QStringView(sql).mid(i + 1, close - i - 1);
                out += u'"';
                i = close;
                continue;
            }
        }
        out += c;
    }
    return out;
}

} // namespace db
