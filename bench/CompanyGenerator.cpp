#include "CompanyGenerator.h"

#include "shell/schema/DatabaseScript.h"

#include <QElapsedTimer>
#include <QFile>

#include <sqlite3.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

struct Node {
    std::string code;
    std::string name;
    std::string parent;
    std::string path; // captions from the root down, each followed by a backslash
    int level = 0;
    bool hasChildren = false;
};

struct Employee {
    std::string code;
    std::string name;
    std::string department;
    std::string path;
    std::string position;
    bool active = true;
};

const char *const kDepartmentWords[] = {"总经办", "行政部", "人事部", "财务部", "销售部", "市场部", "技术部",
                                        "生产部", "采购部", "质检部", "仓储部", "客服部", "法务部", "研发中心"};
const char *const kUnitWords[] = {"华东区", "华南区", "华北区", "西南区", "一组", "二组", "三组",
                                  "车间", "办事处", "项目组", "分部", "工段"};
const char *const kCategoryTop[] = {"管理费用", "差旅费", "业务招待费", "车辆费用", "市场推广费", "办公费",
                                    "通讯费",   "培训费", "福利费",     "维修费",   "研发费用",   "物流费"};
const char *const kCategoryWords[] = {"交通", "住宿", "餐饮", "礼品", "燃油", "保险", "租金", "水电",
                                      "快递", "印刷", "广告", "会展", "耗材", "软件", "设备", "咨询"};
const char *const kPositions[] = {"总经理", "副总经理", "部门经理", "主管",   "会计",   "出纳",
                                  "销售代表", "工程师", "技术员",   "操作工", "司机",   "文员",
                                  "采购员",   "质检员", "仓管员",   "客服专员"};
const char *const kSurnames[] = {"王", "李", "张", "刘", "陈", "杨", "黄", "赵", "吴", "周",
                                 "徐", "孙", "马", "朱", "胡", "郭", "何", "林", "罗", "高"};
const char *const kGiven[] = {"伟", "芳", "娜", "敏", "静", "丽", "强", "磊", "军", "洋",
                              "勇", "艳", "杰", "娟", "涛", "明", "超", "秀英", "建国", "晓燕"};
const char *const kProviders[] = {"杭州文具批发部", "顺丰速运", "中国移动", "国家电网", "中石化加油站",
                                  "携程旅行",       "如家酒店", "京东商城", "本地餐馆", ""};
const char *const kPayStyles[] = {"现金", "转账", "支票", "信用卡"};

std::string fourDigits(int n)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d", n);
    return buffer;
}

// Level sizes that double from level to level and add up to `total`.
std::vector<int> levelSizes(int total, int levels)
{
    std::vector<int> sizes(static_cast<size_t>(levels));
    const int weight = (1 << levels) - 1;
    int used = 0;
    for (int i = 0; i < levels; ++i) {
        sizes[size_t(i)] = std::max(1, total * (1 << i) / weight);
        used += sizes[size_t(i)];
    }
    sizes.back() += total - used;
    return sizes;
}

std::vector<Node> makeTree(int total, int levels, std::mt19937 &random, const char *const *top, size_t topCount,
                           const char *const *words, size_t wordCount)
{
    std::vector<Node> nodes;
    const std::vector<int> sizes = levelSizes(total, levels);
    std::vector<size_t> previous;
    for (int level = 0; level < levels; ++level) {
        std::vector<size_t> current;
        std::vector<int> childCount(nodes.size(), 0);
        for (int i = 0; i < sizes[size_t(level)]; ++i) {
            Node node;
            node.level = level;
            if (level == 0) {
                node.code = fourDigits(i + 1);
                node.name = std::string(top[size_t(i) % topCount]) + (i >= int(topCount) ? std::to_string(i / topCount + 1) : "");
                node.path = node.name + "\\";
            } else {
                // Spread the children over the previous level, a little unevenly.
                const size_t parentIndex = previous[(size_t(i) + random() % 2) % previous.size()];
                Node &parent = nodes[parentIndex];
                parent.hasChildren = true;
                const int sibling = ++childCount[parentIndex];
                node.parent = parent.code;
                node.code = parent.code + fourDigits(sibling);
                node.name = std::string(words[random() % wordCount]) + std::to_string(sibling);
                node.path = parent.path + node.name + "\\";
            }
            current.push_back(nodes.size());
            nodes.push_back(node);
            childCount.push_back(0);
        }
        previous = current;
    }
    return nodes;
}

class Database {
public:
    explicit Database(const QString &path)
    {
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_handle, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            m_error = sqlite3_errmsg(m_handle);
    }
    ~Database() { sqlite3_close(m_handle); }
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    bool ok() const { return m_error.empty(); }
    QString error() const { return QString::fromStdString(m_error); }

    bool exec(const std::string &sql)
    {
        char *message = nullptr;
        if (sqlite3_exec(m_handle, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
            m_error = message ? message : sqlite3_errmsg(m_handle);
            sqlite3_free(message);
            return false;
        }
        return true;
    }

    std::vector<std::string> column(const std::string &sql)
    {
        std::vector<std::string> values;
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(m_handle, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
            m_error = sqlite3_errmsg(m_handle);
            return values;
        }
        while (sqlite3_step(statement) == SQLITE_ROW)
            values.emplace_back(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
        sqlite3_finalize(statement);
        return values;
    }

    // A prepared insert, bound column by column and run with insert().
    class Insert {
    public:
        Insert(Database &db, const std::string &sql) : m_db(db)
        {
            if (sqlite3_prepare_v2(db.m_handle, sql.c_str(), -1, &m_statement, nullptr) != SQLITE_OK)
                db.m_error = sqlite3_errmsg(db.m_handle);
        }
        ~Insert() { sqlite3_finalize(m_statement); }
        // The value must live until insert() has run.
        Insert &text(int column, const std::string &value)
        {
            sqlite3_bind_text(m_statement, column, value.data(), int(value.size()), SQLITE_STATIC);
            return *this;
        }
        Insert &integer(int column, int value)
        {
            sqlite3_bind_int(m_statement, column, value);
            return *this;
        }
        Insert &real(int column, double value)
        {
            sqlite3_bind_double(m_statement, column, value);
            return *this;
        }
        bool insert()
        {
            const int rc = sqlite3_step(m_statement);
            sqlite3_reset(m_statement);
            if (rc != SQLITE_DONE) {
                m_db.m_error = sqlite3_errmsg(m_db.m_handle);
                return false;
            }
            return true;
        }

    private:
        Database &m_db;
        sqlite3_stmt *m_statement = nullptr;
    };

private:
    sqlite3 *m_handle = nullptr;
    std::string m_error;
};

bool insertTree(Database &db, const char *table, const std::vector<Node> &nodes)
{
    Database::Insert insert(db, std::string("INSERT INTO ") + table
                                    + " (TypeCode, TypeName, ParTypeCode, nLeveal) VALUES (?, ?, ?, ?)");
    for (const Node &n : nodes)
        if (!insert.text(1, n.code).text(2, n.name).text(3, n.parent).integer(4, n.level).insert())
            return false;
    return db.ok();
}

std::string moneyToken(const char *keyword, const std::string &code, const std::string &path, const Node &category)
{
    return std::string("{") + keyword + " " + code + ":" + path + " " + category.code + ":" + category.path + "}";
}

} // namespace

CompanyShape SmallCompany()
{
    return {QStringLiteral("small"), 30, 3, 300, 60, 3, 12, 50000, 12};
}

CompanyShape LargeCompany()
{
    return {QStringLiteral("large"), 140, 4, 1300, 170, 3, 16, 1000000, 24};
}

GeneratedCompany GenerateCompany(const QString &path, const CompanyShape &shape, unsigned seed, const QDate &today)
{
    GeneratedCompany result;
    QElapsedTimer timer;
    timer.start();
    result.error = CreateDatabase(path, false);
    if (!result.error.isEmpty())
        return result;

    Database db(path);
    std::mt19937 random(seed);
    auto pick = [&random](size_t count) { return size_t(random() % count); };

    result.last = QDate(today.year(), today.month(), 1).addDays(-1);
    result.first = QDate(result.last.year(), result.last.month(), 1).addMonths(-(shape.months - 1));
    const int days = int(result.first.daysTo(result.last)) + 1;

    // Speed over safety: a half-written file is simply generated again.
    db.exec("PRAGMA synchronous=OFF; PRAGMA journal_mode=OFF; PRAGMA temp_store=MEMORY; PRAGMA cache_size=-200000; PRAGMA locking_mode=EXCLUSIVE; PRAGMA threads=4;");
    const std::vector<std::string> billIndexes =
        db.column("SELECT sql FROM sqlite_master WHERE type='index' AND tbl_name='TBillDetail' AND sql IS NOT NULL");
    for (const std::string &name :
         db.column("SELECT name FROM sqlite_master WHERE type='index' AND tbl_name='TBillDetail' AND sql IS NOT NULL"))
        db.exec("DROP INDEX " + name);
    db.exec("BEGIN");

    const std::vector<Node> departments =
        makeTree(shape.departments, shape.departmentLevels, random, kDepartmentWords, std::size(kDepartmentWords),
                 kUnitWords, std::size(kUnitWords));
    const std::vector<Node> categories = makeTree(shape.categories, shape.categoryLevels, random, kCategoryTop,
                                                  std::size(kCategoryTop), kCategoryWords, std::size(kCategoryWords));
    insertTree(db, "TEmpClass", departments);
    insertTree(db, "TCustClass", categories);

    const int positionCount = std::min<int>(shape.positions, int(std::size(kPositions)));
    {
        Database::Insert insert(db, "INSERT INTO TFunc (FuncCode, FuncName) VALUES (?, ?)");
        for (int i = 0; i < positionCount; ++i)
            insert.text(1, fourDigits(i + 1).substr(2)).text(2, kPositions[i]).insert();
    }

    // Employees sit in departments without sub-departments, as in a real company tree.
    std::vector<size_t> leafDepartments;
    for (size_t i = 0; i < departments.size(); ++i)
        if (!departments[i].hasChildren)
            leafDepartments.push_back(i);
    std::vector<Employee> employees;
    std::vector<std::vector<size_t>> staffOf(departments.size());
    std::vector<int> counter(departments.size(), 0);
    {
        Database::Insert insert(db, "INSERT INTO TEmployee (Code, UserName, Sex, MobilePhone, ZZStu, TypeCode, "
                                    "FuncCode, MaxLimit) VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
        for (int i = 0; i < shape.employees; ++i) {
            const size_t d = leafDepartments[size_t(i) % leafDepartments.size()];
            Employee e;
            e.department = departments[d].code;
            e.code = e.department + fourDigits(++counter[d]);
            e.name = std::string(kSurnames[pick(std::size(kSurnames))]) + kGiven[pick(std::size(kGiven))];
            e.path = departments[d].path + e.name + "\\";
            e.position = fourDigits(int(pick(size_t(positionCount))) + 1).substr(2);
            e.active = pick(20) != 0;
            insert.text(1, e.code)
                .text(2, e.name)
                .integer(3, int(pick(2)))
                .text(4, "139" + std::to_string(10000000 + pick(89999999)))
                .integer(5, e.active ? 1 : 0)
                .text(6, e.department)
                .text(7, e.position)
                .real(8, double(pick(10) * 1000))
                .insert();
            staffOf[d].push_back(employees.size());
            employees.push_back(e);
        }
    }

    // Formulas for most pairs of position and category, in the shapes users write.
    {
        Database::Insert insert(db, "INSERT INTO TFormula (FuncCode, CustTypeCode, Formula) VALUES (?, ?, ?)");
        for (int f = 0; f < positionCount; ++f) {
            const std::string position = fourDigits(f + 1).substr(2);
            for (const Node &category : categories) {
                if (pick(10) < 3)
                    continue;
                const Node &d1 = departments[pick(departments.size())];
                const Node &d2 = departments[pick(departments.size())];
                const Employee &e = employees[pick(employees.size())];
                std::string formula;
                switch (pick(4)) {
                case 0:
                    formula = moneyToken("COUNT", d1.code, d1.path, category) + "/{SUM_D " + d1.code + ":" + d1.name + "}";
                    break;
                case 1:
                    formula = "(" + moneyToken("COUNT", d1.code, d1.path, category) + "+"
                        + moneyToken("COUNT", d2.code, d2.path, category) + ")*0.3/{SUM_F " + position + ":"
                        + kPositions[f] + "}";
                    break;
                case 2:
                    formula = moneyToken("COUNTEMP", e.code, e.path, category) + "*1.1";
                    break;
                default:
                    formula = moneyToken("COUNT", d1.code, d1.path, category) + "*0.05";
                    break;
                }
                insert.text(1, position).text(2, category.code).text(3, formula).insert();
                ++result.formulas;
            }
        }
    }

    {
        Database::Insert insert(db, "INSERT INTO TBillDetail (OcrDate, DepartCode, EmpID, CustCode, Total, Desp, "
                                    "DepartName, EmpName, CustName, ContractNo, Provider, PayStyle) "
                                    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        std::vector<std::string> dayTexts;
        for (int i = 0; i < days; ++i)
            dayTexts.push_back(result.first.addDays(i).toString(QStringLiteral("yyyy-MM-dd")).toStdString());
        const std::string empty;
        char time[16];
        char contract[32];
        for (int i = 0; i < shape.expenses; ++i) {
            const size_t d = pick(4) == 0 ? pick(departments.size()) : leafDepartments[pick(leafDepartments.size())];
            const Node &department = departments[d];
            const Employee *employee = nullptr;
            if (!staffOf[d].empty() && pick(10) < 6)
                employee = &employees[staffOf[d][pick(staffOf[d].size())]];
            const Node &category = categories[pick(categories.size())];
            const int cents = int(1000 + pick(500000));
            std::snprintf(time, sizeof time, " %02d:%02d:%02d", 8 + int(pick(11)), int(pick(60)), int(pick(60)));
            std::snprintf(contract, sizeof contract, "HT%06d", i + 1);
            // Bound texts are not copied: the whole row is bound and stored in one expression.
            const bool stored = insert.text(1, dayTexts[pick(dayTexts.size())] + time)
                .text(2, department.code)
                .text(3, employee ? employee->code : empty)
                .text(4, category.code)
                .real(5, cents / 100.0)
                .text(6, pick(3) == 0 ? "报销" : empty)
                .text(7, department.name)
                .text(8, employee ? employee->name : empty)
                .text(9, category.name)
                .text(10, pick(4) == 0 ? std::string(contract) : empty)
                .text(11, kProviders[pick(std::size(kProviders))])
                .text(12, kPayStyles[pick(std::size(kPayStyles))])
                .insert();
            if (!stored)
                break;
        }
    }

    if (db.ok())
        db.exec("COMMIT");
    for (const std::string &sql : billIndexes)
        if (db.ok())
            db.exec(sql);
    if (db.ok())
        db.exec("PRAGMA journal_mode=DELETE;");
    result.error = db.error();
    result.seconds = timer.elapsed() / 1000.0;
    return result;
}
