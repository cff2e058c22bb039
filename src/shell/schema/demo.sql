-- Demonstration data: 杭州瑞丰商贸有限公司, a small trading company with a head office in
-- Hangzhou and sales offices in Shanghai and Guangzhou. It runs right after schema.sql when the
-- build creates DB/Data.MDB, so that a newcomer finds departments, employees, positions,
-- expense categories, formulas and the expenses of the last three months. "系统重建" clears it.
--
-- Expense dates are relative to the day the database is made: the month before last, the
-- previous month (the statistics window's default period) and the current month up to today.
-- Everything is deterministic; no random().

BEGIN;

-- Positions.
INSERT INTO TFunc (FuncCode, FuncName) VALUES
  ('01', '总经理'),
  ('02', '部门经理'),
  ('03', '销售代表'),
  ('04', '文员'),
  ('05', '司机');

-- Departments: four digits per level; a child's code is its parent's code plus its number.
INSERT INTO TEmpClass (TypeCode, TypeName, ParTypeCode, nLeveal) VALUES
  ('0001',         '总经办',     '',             0),
  ('0002',         '行政人事部', '',             0),
  ('00020001',     '人事组',     '0002',         1),
  ('00020002',     '后勤组',     '0002',         1),
  ('000200020001', '车队',       '00020002',     2),
  ('0003',         '销售部',     '',             0),
  ('00030001',     '华东大区',   '0003',         1),
  ('000300010001', '杭州办事处', '00030001',     2),
  ('000300010002', '上海办事处', '00030001',     2),
  ('00030002',     '华南大区',   '0003',         1),
  ('0004',         '财务部',     '',             0);

-- Employees sit in departments without sub-departments, so that no employee code equals the
-- code of a department. Sex: 0 男, 1 女. ZZStu: 1 在职, 0 离职. MaxLimit 0: no limit.
INSERT INTO TEmployee (Code, UserName, Sex, TelePhone, MobilePhone, EMail, Address, PostCode,
                       Desp, MaxLimit, ZZStu, TypeCode, FuncCode) VALUES
  ('00010001', '王建国', 0, '0571-88562301', '13906510218', 'wangjianguo@ruifeng-sm.com',
   '浙江省杭州市西湖区文三路478号华星大厦12楼', '310012', '公司创始人', 0, 1, '0001', '01'),
  ('00010002', '刘芳', 1, '0571-88562300', '13758126634', 'liufang@ruifeng-sm.com',
   '浙江省杭州市西湖区文三路478号华星大厦12楼', '310012', '总经理秘书，兼管前台', 2000, 1, '0001', '04'),
  ('000200010001', '陈静', 1, '0571-88562310', '13867405529', 'chenjing@ruifeng-sm.com',
   '浙江省杭州市拱墅区莫干山路100号', '310005', '', 3000, 1, '00020001', '02'),
  ('000200010002', '赵敏', 1, '0571-88562311', '15158103376', 'zhaomin@ruifeng-sm.com',
   '浙江省杭州市西湖区古墩路83号', '310030', '负责考勤与社保', 1000, 1, '00020001', '04'),
  ('000200010003', '孙丽', 1, '0571-88562311', '18857192240', 'sunli@ruifeng-sm.com',
   '浙江省杭州市上城区解放路21号', '310009', '已于上季度离职', 1000, 0, '00020001', '04'),
  ('0002000200010001', '李强', 0, '0571-88562320', '13605719987', 'liqiang@ruifeng-sm.com',
   '浙江省杭州市余杭区五常大道168号', '311121', '驾驶浙A·8K236', 3000, 1, '000200020001', '05'),
  ('0002000200010002', '周伟', 0, '0571-88562320', '13989461152', 'zhouwei@ruifeng-sm.com',
   '浙江省杭州市滨江区江南大道3888号', '310051', '驾驶浙A·3M519', 3000, 1, '000200020001', '05'),
  ('0002000200010003', '吴刚', 0, '0571-88562320', '13732240815', 'wugang@ruifeng-sm.com',
   '浙江省杭州市萧山区市心中路99号', '311200', '', 3000, 0, '000200020001', '05'),
  ('0003000100010001', '张伟', 0, '0571-88562330', '13805716643', 'zhangwei@ruifeng-sm.com',
   '浙江省杭州市西湖区天目山路181号', '310013', '华东大区经理', 10000, 1, '000300010001', '02'),
  ('0003000100010002', '黄磊', 0, '0571-88562331', '15067128830', 'huanglei@ruifeng-sm.com',
   '浙江省杭州市拱墅区湖墅南路302号', '310005', '', 5000, 1, '000300010001', '03'),
  ('0003000100010003', '林小燕', 1, '0571-88562331', '18768115502', 'linxiaoyan@ruifeng-sm.com',
   '浙江省杭州市上城区望江路55号', '310008', '', 5000, 1, '000300010001', '03'),
  ('0003000100010004', '郑浩', 0, '0571-88562331', '13588027761', 'zhenghao@ruifeng-sm.com',
   '浙江省杭州市西湖区学院路77号', '310012', '离职，客户已移交黄磊', 5000, 0, '000300010001', '03'),
  ('0003000100020001', '马骏', 0, '021-64853120', '13816672904', 'majun@ruifeng-sm.com',
   '上海市徐汇区漕溪北路88号', '200030', '英文名 Jack O''Neill，负责外资客户', 5000, 1, '000300010002', '03'),
  ('0003000100020002', '胡婷', 1, '021-64853121', '13917380256', 'huting@ruifeng-sm.com',
   '上海市闵行区莘庄镇莘建路55号', '201100', '', 5000, 1, '000300010002', '03'),
  ('0003000100020003', '欧阳晓', 1, '021-64853121', '15821947713', 'ouyangxiao@ruifeng-sm.com',
   '上海市长宁区天山路600号', '200051', '', 5000, 1, '000300010002', '03'),
  ('000300020001', '郭明', 0, '020-87326610', '13902261478', 'guoming@ruifeng-sm.com',
   '广东省广州市天河区体育西路191号', '510620', '华南大区经理', 10000, 1, '00030002', '02'),
  ('000300020002', '罗小红', 1, '020-87326611', '13760853392', 'luoxiaohong@ruifeng-sm.com',
   '广东省广州市越秀区环市东路339号', '510060', '', 5000, 1, '00030002', '03'),
  ('000300020003', '谢云', 0, '020-87326611', '18620937745', 'xieyun@ruifeng-sm.com',
   '广东省广州市海珠区新港西路135号', '510275', '实习生，暂未定岗', 500, 1, '00030002', ''),
  ('00040001', '冯丽华', 1, '0571-88562340', '13857140093', 'fenglihua@ruifeng-sm.com',
   '浙江省杭州市西湖区曙光路122号', '310007', '财务负责人', 3000, 1, '0004', '02'),
  ('00040002', '韩雪', 1, '0571-88562341', '15988472610', 'hanxue@ruifeng-sm.com',
   '浙江省杭州市拱墅区登云路428号', '310011', '出纳', 1000, 1, '0004', '04');

-- Expense categories.
INSERT INTO TCustClass (TypeCode, TypeName, ParTypeCode, nLeveal) VALUES
  ('0001',         '管理费用',   '',         0),
  ('00010001',     '办公费',     '0001',     1),
  ('000100010001', '办公用品',   '00010001', 2),
  ('000100010002', '打印复印',   '00010001', 2),
  ('000100010003', '快递邮寄',   '00010001', 2),
  ('00010002',     '通讯费',     '0001',     1),
  ('000100020001', '手机话费',   '00010002', 2),
  ('000100020002', '固话宽带',   '00010002', 2),
  ('00010003',     '房租物业',   '0001',     1),
  ('00010004',     '水电费',     '0001',     1),
  ('0002',         '差旅费',     '',         0),
  ('00020001',     '交通费',     '0002',     1),
  ('000200010001', '飞机票',     '00020001', 2),
  ('000200010002', '火车票',     '00020001', 2),
  ('000200010003', '市内交通',   '00020001', 2),
  ('00020002',     '住宿费',     '0002',     1),
  ('00020003',     '出差补助',   '0002',     1),
  ('0003',         '业务招待费', '',         0),
  ('00030001',     '餐费',       '0003',     1),
  ('00030002',     '礼品',       '0003',     1),
  ('0004',         '车辆费用',   '',         0),
  ('00040001',     '燃油费',     '0004',     1),
  ('00040002',     '维修保养',   '0004',     1),
  ('00040003',     '路桥停车费', '0004',     1),
  ('00040004',     '车辆保险',   '0004',     1),
  ('0005',         '市场推广费', '',         0),
  ('00050001',     '广告宣传',   '0005',     1),
  ('00050002',     '展会费',     '0005',     1);

-- Formulas -------------------------------------------------------------------------------
-- Token labels are tree paths as the pickers write them: every caption from the root down,
-- each followed by a backslash. The paths are derived from the trees above.

CREATE TEMP TABLE demo_dept_path AS
WITH RECURSIVE p(code, path) AS (
  SELECT TypeCode, TypeName || '\' FROM TEmpClass WHERE ParTypeCode = ''
  UNION ALL
  SELECT c.TypeCode, p.path || c.TypeName || '\' FROM TEmpClass c JOIN p ON c.ParTypeCode = p.code
)
SELECT code, path FROM p;

CREATE TEMP TABLE demo_cat_path AS
WITH RECURSIVE p(code, path, lvl) AS (
  SELECT TypeCode, TypeName || '\', nLeveal FROM TCustClass WHERE ParTypeCode = ''
  UNION ALL
  SELECT c.TypeCode, p.path || c.TypeName || '\', c.nLeveal
  FROM TCustClass c JOIN p ON c.ParTypeCode = p.code
)
SELECT code, path, lvl FROM p;

-- The showcase formulas, written as a user would have built them in the formula editor.

-- 总经理: his own phone bill and flights, the head office's entertainment, the company-wide rent
-- per head (typed over three lines).
INSERT INTO TFormula (FuncCode, CustTypeCode, Formula) VALUES
  ('01', '000100020001',
   '{COUNTEMP 00010001:总经办\王建国\ 000100020001:管理费用\通讯费\手机话费\}'),
  ('01', '000200010001',
   '{COUNTEMP 00010001:总经办\王建国\ 000200010001:差旅费\交通费\飞机票\}'),
  ('01', '00030001',
   '{COUNT 0001:总经办\ 00030001:业务招待费\餐费\}'),
  ('01', '00030002',
   '{COUNT 0001:总经办\ 00030002:业务招待费\礼品\}*0.8'),
  ('01', '00010003',
   '({COUNT 0002:行政人事部\ 00010003:管理费用\房租物业\}
 + {COUNT 000300010002:销售部\华东大区\上海办事处\ 00010003:管理费用\房租物业\})
 / ({SUM_D 0001:总经办}+{SUM_D 0002:行政人事部}+{SUM_D 0003:销售部}+{SUM_D 0004:财务部})');

-- 部门经理: the average phone bill and air fare of the four managers.
INSERT INTO TFormula (FuncCode, CustTypeCode, Formula) VALUES
  ('02', '000100020001',
   '({COUNTEMP 000200010001:行政人事部\人事组\陈静\ 000100020001:管理费用\通讯费\手机话费\}'
   || '+{COUNTEMP 0003000100010001:销售部\华东大区\杭州办事处\张伟\ 000100020001:管理费用\通讯费\手机话费\}'
   || '+{COUNTEMP 000300020001:销售部\华南大区\郭明\ 000100020001:管理费用\通讯费\手机话费\}'
   || '+{COUNTEMP 00040001:财务部\冯丽华\ 000100020001:管理费用\通讯费\手机话费\})/{SUM_F 02:部门经理}'),
  ('02', '000200010001',
   '({COUNTEMP 000200010001:行政人事部\人事组\陈静\ 000200010001:差旅费\交通费\飞机票\}'
   || '+{COUNTEMP 0003000100010001:销售部\华东大区\杭州办事处\张伟\ 000200010001:差旅费\交通费\飞机票\}'
   || '+{COUNTEMP 000300020001:销售部\华南大区\郭明\ 000200010001:差旅费\交通费\飞机票\}'
   || '+{COUNTEMP 00040001:财务部\冯丽华\ 000200010001:差旅费\交通费\飞机票\})/{SUM_F 02:部门经理}');

-- 销售代表: the sales department's marketing spend, shared among the sales representatives.
INSERT INTO TFormula (FuncCode, CustTypeCode, Formula) VALUES
  ('03', '00050001', '{COUNT 0003:销售部\ 00050001:市场推广费\广告宣传\}/{SUM_F 03:销售代表}'),
  ('03', '00050002', '{COUNT 0003:销售部\ 00050002:市场推广费\展会费\}/{SUM_F 03:销售代表}');

-- Rent (other positions), utilities and the office line: what 行政人事部 pays for the whole
-- company, per head of all four top-level departments.
INSERT INTO TFormula (FuncCode, CustTypeCode, Formula)
SELECT f.FuncCode, c.code,
       '({COUNT 0002:行政人事部\ ' || c.code || ':' || c.path || '}'
       || CASE WHEN c.code = '00010003'
               THEN '+{COUNT 000300010002:销售部\华东大区\上海办事处\ ' || c.code || ':' || c.path || '}'
               ELSE '' END
       || ')/({SUM_D 0001:总经办}+{SUM_D 0002:行政人事部}+{SUM_D 0003:销售部}+{SUM_D 0004:财务部})'
FROM TFunc f, demo_cat_path c
WHERE c.code IN ('00010003', '00010004', '000100020002')
  AND NOT (f.FuncCode = '01' AND c.code = '00010003')
ORDER BY f.FuncCode, c.code;

-- Everything else: the expenses of the departments where a position works, per head.
CREATE TEMP TABLE demo_pool (FuncCode TEXT, DeptCode TEXT);
INSERT INTO demo_pool VALUES
  ('01', '0001'),
  ('02', '00020001'), ('02', '000300010001'), ('02', '00030002'), ('02', '0004'),
  ('03', '0003'), ('03', '00030001'), ('03', '000300010001'), ('03', '000300010002'), ('03', '00030002'),
  ('04', '0001'), ('04', '0002'), ('04', '00020001'), ('04', '0004'),
  ('05', '00020002'), ('05', '000200020001');

CREATE TEMP TABLE demo_headcount (FuncCode TEXT, Token TEXT);
INSERT INTO demo_headcount VALUES
  ('01', '{SUM_D 0001:总经办}'),
  ('02', '({SUM_D 00020001:人事组}+{SUM_D 000300010001:杭州办事处}+{SUM_D 00030002:华南大区}+{SUM_D 0004:财务部})'),
  ('03', '{SUM_D 0003:销售部}'),
  ('04', '({SUM_D 0001:总经办}+{SUM_D 0002:行政人事部}+{SUM_D 0004:财务部})'),
  ('05', '{SUM_F 05:司机}');

-- Pairs left without a formula on purpose; their cells show 0.00.
CREATE TEMP TABLE demo_no_formula (FuncCode TEXT, CustCode TEXT);
INSERT INTO demo_no_formula VALUES
  ('01', '00050001'), ('01', '00050002'), ('02', '00050001'), ('02', '00050002'),
  ('04', '00050001'), ('04', '00050002'), ('05', '00050001'), ('05', '00050002'),
  ('04', '00030002'), ('05', '00030002'), ('05', '000200010001');

INSERT OR IGNORE INTO TFormula (FuncCode, CustTypeCode, Formula)
SELECT g.FuncCode, g.code,
       CASE WHEN g.terms = 1 THEN g.sums ELSE '(' || g.sums || ')' END || '/' || h.Token
FROM (
  SELECT FuncCode, code, count(*) AS terms, group_concat(tok, '+') AS sums
  FROM (
    SELECT pl.FuncCode, c.code,
           '{COUNT ' || d.code || ':' || d.path || ' ' || c.code || ':' || c.path || '}' AS tok
    FROM demo_pool pl
    JOIN demo_dept_path d ON d.code = pl.DeptCode
    JOIN demo_cat_path c ON c.lvl >= 1
    ORDER BY pl.FuncCode, c.code, d.code
  )
  GROUP BY FuncCode, code
) g
JOIN demo_headcount h ON h.FuncCode = g.FuncCode
WHERE NOT EXISTS (SELECT 1 FROM demo_no_formula n
                  WHERE n.FuncCode = g.FuncCode AND n.CustCode = g.code)
ORDER BY g.FuncCode, g.code;

-- Expenses -------------------------------------------------------------------------------
-- Collected first and stored in date order, so that newer expenses carry higher IDs as they
-- would after months of real entry.
CREATE TEMP TABLE demo_bill AS SELECT * FROM TBillDetail WHERE 0;

-- Monthly bills on fixed days of each of the three months, as long as that day is not after
-- today: rent, the office line, utilities, advertising and the staff's mobile phone bills.
-- The amount of month k (0 = the month before last) is amount + step * k.
CREATE TEMP TABLE demo_monthly (
  day INTEGER, at TEXT, dept TEXT, emp TEXT, cust TEXT, amount REAL, step REAL,
  desp TEXT, provider TEXT, pay TEXT, contract TEXT
);
INSERT INTO demo_monthly VALUES
  (5, '09:12:40', '0002', '', '00010003', 18500.00, 0, '办公楼租金及物业费', '杭州西溪置业有限公司', '转账', '001'),
  (5, '10:05:18', '000300010002', '', '00010003', 9800.00, 0, '上海办事处房租', '上海漕河泾物业管理有限公司', '转账', '002'),
  (8, '10:31:02', '0001', '00010001', '000100020001', 412.60, -18.30, '手机话费', '中国移动', '转账', ''),
  (8, '10:33:47', '00020001', '000200010001', '000100020001', 186.20, 9.85, '手机话费', '中国移动', '转账', ''),
  (8, '10:36:15', '000300010001', '0003000100010001', '000100020001', 338.90, 21.45, '手机话费', '中国移动', '转账', ''),
  (8, '10:38:51', '000300010001', '0003000100010002', '000100020001', 205.35, -12.60, '手机话费', '中国联通', '转账', ''),
  (8, '10:41:26', '00030002', '000300020001', '000100020001', 296.80, 15.15, '手机话费', '中国电信', '转账', ''),
  (8, '10:44:09', '0004', '00040001', '000100020001', 158.40, 6.70, '手机话费', '中国移动', '转账', ''),
  (10, '14:00:00', '0002', '', '000100020002', 680.00, 0, '宽带及固话月租', '中国电信杭州分公司', '转账', '003'),
  (15, '15:20:33', '0002', '', '00010004', 1268.40, 97.35, '水电费', '西溪置业物业服务中心', '转账', ''),
  (25, '11:08:55', '0003', '', '00050001', 8500.00, 0, '行业网站广告投放', '浙江日报报业集团', '转账', '006');

INSERT INTO demo_bill (OcrDate, DepartCode, EmpID, CustCode, Total, Desp, DepartName, EmpName,
                       CustName, ContractNo, Provider, PayStyle)
SELECT date(b.month_start, '+' || (b.day - 1) || ' days') || ' ' || b.at,
       b.dept, b.emp, b.cust, round(b.amount + b.step * b.k, 2),
       CAST(strftime('%m', b.month_start) AS INTEGER) || '月' || b.desp,
       (SELECT TypeName FROM TEmpClass WHERE TypeCode = b.dept),
       coalesce((SELECT UserName FROM TEmployee WHERE Code = b.emp), ''),
       (SELECT TypeName FROM TCustClass WHERE TypeCode = b.cust),
       CASE WHEN b.contract = '' THEN ' '
            ELSE 'HT' || strftime('%Y', b.month_start) || '-' || b.contract END,
       b.provider, b.pay
FROM (
  SELECT m.k, date('now', 'localtime', 'start of month', (m.k - 2) || ' months') AS month_start, i.*
  FROM (SELECT 0 AS k UNION ALL SELECT 1 UNION ALL SELECT 2) m, demo_monthly i
) b
WHERE date(b.month_start, '+' || (b.day - 1) || ' days') <= date('now', 'localtime');

-- Two large one-off bills: the car insurance in the month before last, a trade fair last month.
INSERT INTO demo_bill (OcrDate, DepartCode, EmpID, CustCode, Total, Desp, DepartName, EmpName,
                       CustName, ContractNo, Provider, PayStyle)
VALUES
  (strftime('%Y-%m-%d %H:%M:%S', 'now', 'localtime', 'start of month', '-2 months', '+19 days', '+10 hours', '+20 minutes'),
   '00020002', '', '00040004', 6800.00, '公务车年度商业保险（浙A·8K236、浙A·3M519）',
   '后勤组', '', '车辆保险',
   'HT' || strftime('%Y', 'now', 'localtime', 'start of month', '-2 months') || '-007',
   '中国平安财产保险', '转账'),
  (strftime('%Y-%m-%d %H:%M:%S', 'now', 'localtime', 'start of month', '-1 months', '+11 days', '+16 hours', '+5 minutes'),
   '0003', '', '00050002', 15000.00, '义乌国际小商品博览会展位费（标准展位两个）',
   '销售部', '', '展会费',
   'HT' || strftime('%Y', 'now', 'localtime', 'start of month', '-1 months') || '-015',
   '义乌国际博览中心', '支票');

-- Everyday expenses: 170 rows drawn from these cases by modular arithmetic. EmpID '' is an
-- expense of the department itself. A case marked old_only belongs to someone who has left;
-- outside the month before last it gives way to the case before it.
CREATE TEMP TABLE demo_case (
  idx      INTEGER PRIMARY KEY,
  cust     TEXT, dept TEXT, emp TEXT,
  base     REAL, vary INTEGER,
  desp     TEXT, provider TEXT, pay TEXT,
  contract INTEGER, old_only INTEGER
);
INSERT INTO demo_case (cust, dept, emp, base, vary, desp, provider, pay, contract, old_only) VALUES
  ('000100010001', '0001', '00010002', 320, 1, '采购打印纸、文件夹', '得力办公用品专营店', '现金', 0, 0),
  ('000100010001', '00020001', '000200010002', 180, 1, '购买签字笔、订书机等文具', '晨光文具（文三路店）', '现金', 0, 0),
  ('000100010001', '0004', '00040002', 260, 1, '凭证纸、账簿及装订用品', '得力办公用品专营店', '转账', 0, 0),
  ('000100010001', '00020001', '000200010003', 150, 1, '新员工入职资料袋', '晨光文具（文三路店）', '现金', 0, 1),
  ('000100010002', '000300010001', '', 150, 1, '投标文件打印装订', '快印客图文（古荡店）', '现金', 0, 0),
  ('000100010002', '0002', '', 420, 0, '复印机租赁月费', '杭州理光办公设备有限公司', '转账', 1, 0),
  ('000100010003', '000300010002', '0003000100020002', 85, 1, '寄送合同及样品', '顺丰速运', '现金', 0, 0),
  ('000100010003', '0004', '', 60, 1, '寄送发票', '中国邮政EMS', '现金', 0, 0),
  ('00010001', '00020002', '', 230, 1, '办公室零星杂费', ' ', '现金', 0, 0),
  ('000200010001', '000300010001', '0003000100010001', 1280, 1, '杭州—北京 拜访客户', '携程旅行网', '信用卡', 0, 0),
  ('000200010001', '0001', '00010001', 1850, 1, '杭州—深圳 参加行业年会', '东方航空', '信用卡', 0, 0),
  ('000200010001', '00030002', '000300020001', 1100, 1, '广州—成都 客户回访', '南方航空', '信用卡', 0, 0),
  ('000200010002', '000300010002', '0003000100020001', 280, 1, '上海—南京 高铁', '中国铁路12306', '信用卡', 0, 0),
  ('000200010002', '000300010001', '0003000100010003', 160, 1, '杭州—宁波 高铁', '中国铁路12306', '现金', 0, 0),
  ('000200010002', '00030002', '000300020002', 220, 1, '广州—长沙 高铁', '中国铁路12306', '现金', 0, 0),
  ('000200010003', '000300010001', '0003000100010002', 65, 1, '拜访客户打车', '滴滴出行', '现金', 0, 0),
  ('000200010003', '000300010002', '0003000100020003', 48, 1, '拜访客户打车', '滴滴出行', '现金', 0, 0),
  ('000200010003', '000300010001', '0003000100010004', 52, 1, '拜访客户打车', '滴滴出行', '现金', 0, 1),
  ('000200010003', '0004', '00040002', 35, 1, '往返银行办理业务', ' ', '现金', 0, 0),
  ('00020002', '000300010001', '0003000100010001', 780, 1, '北京出差住宿两晚', '全季酒店', '信用卡', 0, 0),
  ('00020002', '000300010002', '0003000100020001', 450, 1, '南京出差住宿', '汉庭酒店', '信用卡', 0, 0),
  ('00020002', '00030002', '000300020001', 620, 1, '成都出差住宿', '锦江之星', '信用卡', 0, 0),
  ('00020003', '000300010001', '0003000100010002', 300, 0, '出差补助 3 天', ' ', '现金', 0, 0),
  ('00020003', '00030002', '000300020002', 200, 0, '出差补助 2 天', ' ', '现金', 0, 0),
  ('00030001', '0001', '00010001', 1580, 1, '宴请合作伙伴', '楼外楼（孤山路店）', '信用卡', 0, 0),
  ('00030001', '000300010001', '', 860, 1, '客户接待工作餐', '外婆家（湖滨店）', '现金', 0, 0),
  ('00030001', '000300010002', '0003000100020002', 420, 1, '客户午餐', 'Domino''s 达美乐比萨', '现金', 0, 0),
  ('00030001', '00030002', '', 980, 1, '经销商座谈会用餐', '广州酒家', '支票', 0, 0),
  ('00030002', '0001', '', 2400, 1, '客户节日礼品', '杭州知味观食品有限公司', '转账', 1, 0),
  ('00030002', '000300010001', '0003000100010001', 650, 1, '客户拜访伴手礼', '西湖龙井茶叶专卖店', '现金', 0, 0),
  ('00040001', '000200020001', '0002000200010001', 420, 1, '浙A·8K236 加油', '中国石化', '现金', 0, 0),
  ('00040001', '000200020001', '0002000200010002', 380, 1, '浙A·3M519 加油', '中国石油', '信用卡', 0, 0),
  ('00040001', '000200020001', '0002000200010003', 400, 1, '浙A·8K236 加油', '中国石化', '现金', 0, 1),
  ('00040002', '000200020001', '', 1200, 1, '公务车定期保养', '杭州中升丰田4S店', '转账', 1, 0),
  ('00040003', '000200020001', '0002000200010001', 95, 1, '高速通行费及停车费', ' ', '现金', 0, 0),
  ('00040003', '000300010001', '0003000100010002', 40, 1, '客户处停车费', ' ', '现金', 0, 0),
  ('00050001', '0003', '', 1200, 1, '网络推广服务费', '百度推广', '转账', 1, 0),
  ('000100010002', '000300010002', '0003000100020003', 140, 1, '名片及宣传单页印制', '快印客图文（古荡店）', '现金', 0, 0),
  ('00040001', '000300010001', '0003000100010002', 300, 1, '自驾拜访客户加油', '中国石化', '现金', 0, 0),
  ('00040002', '000200020001', '0002000200010002', 260, 1, '更换雨刮、补胎', '途虎养车', '现金', 0, 0),
  ('00020001', '00030002', '000300020003', 45, 1, '实习外出交通费', ' ', '现金', 0, 0),
  ('00030001', '000300010001', '0003000100010003', 180, 1, '客户工作午餐', '外婆家（湖滨店）', '现金', 0, 0),
  ('000100010003', '0001', '00010002', 70, 1, '寄送年会邀请函', '顺丰速运', '现金', 0, 0);

INSERT INTO demo_bill (OcrDate, DepartCode, EmpID, CustCode, Total, Desp, DepartName, EmpName,
                       CustName, ContractNo, Provider, PayStyle)
WITH RECURSIVE
  seq(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM seq WHERE n < 169),
  -- m: 0 the month before last (40 %), 1 the previous month (50 %), 2 the current month (10 %).
  slot AS (
    SELECT n, CASE WHEN n % 10 < 4 THEN 0 WHEN n % 10 < 9 THEN 1 ELSE 2 END AS m,
           (n * 11) % (SELECT count(*) FROM demo_case) + 1 AS raw
    FROM seq
  ),
  dated AS (
    SELECT s.n, s.m, s.raw,
           date('now', 'localtime', 'start of month', (s.m - 2) || ' months') AS month_start,
           -- this month: the days before today (on the first of the month, today itself)
           CASE WHEN s.m = 2 THEN max(CAST(strftime('%d', 'now', 'localtime') AS INTEGER) - 1, 1)
                ELSE CAST(julianday(date('now', 'localtime', 'start of month', (s.m - 1) || ' months'))
                          - julianday(date('now', 'localtime', 'start of month', (s.m - 2) || ' months'))
                          AS INTEGER) END AS span
    FROM slot s
  ),
  picked AS (
    SELECT d.*,
           CASE WHEN d.m <> 0 AND (SELECT old_only FROM demo_case WHERE idx = d.raw) = 1
                THEN d.raw - 1 ELSE d.raw END AS idx,
           strftime('%Y-%m-%d %H:%M:%S', d.month_start,
                    '+' || ((d.n * 7 + d.n / 10) % d.span) || ' days',
                    '+' || (8 * 60 + (d.n * 37) % 600) || ' minutes',
                    '+' || ((d.n * 13) % 60) || ' seconds') AS at
    FROM dated d
  )
SELECT p.at, c.dept, c.emp, c.cust,
       CASE WHEN c.vary = 1
            THEN round(c.base * (75 + (p.n * 37) % 51) / 100.0 + ((p.n * 53) % 100) / 100.0, 2)
            ELSE c.base END,
       c.desp,
       (SELECT TypeName FROM TEmpClass WHERE TypeCode = c.dept),
       coalesce((SELECT UserName FROM TEmployee WHERE Code = c.emp), ''),
       (SELECT TypeName FROM TCustClass WHERE TypeCode = c.cust),
       CASE WHEN c.contract = 1 THEN 'HT' || strftime('%Y', p.at) || '-' || printf('%03d', 20 + c.idx)
            ELSE ' ' END,
       c.provider, c.pay
FROM picked p JOIN demo_case c ON c.idx = p.idx;

INSERT INTO TBillDetail (OcrDate, DepartCode, EmpID, CustCode, Total, Desp, DepartName, EmpName,
                         CustName, ContractNo, Provider, PayStyle)
SELECT OcrDate, DepartCode, EmpID, CustCode, Total, Desp, DepartName, EmpName,
       CustName, ContractNo, Provider, PayStyle
FROM demo_bill
ORDER BY OcrDate, rowid;

DROP TABLE demo_bill;
DROP TABLE demo_case;
DROP TABLE demo_monthly;
DROP TABLE demo_no_formula;
DROP TABLE demo_headcount;
DROP TABLE demo_pool;
DROP TABLE demo_cat_path;
DROP TABLE demo_dept_path;

COMMIT;
