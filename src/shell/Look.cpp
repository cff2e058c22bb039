#include "shell/Look.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>
#include <QStyleFactory>
#include <QTranslator>

void ApplyLook(QApplication &app)
{
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    QPalette p;
    const QColor window(0xF3, 0xF5, 0xF8);
    const QColor accent(0x1F, 0x6F, 0xB2);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, QColor(0x1E, 0x24, 0x2B));
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::AlternateBase, QColor(0xEE, 0xF3, 0xF9));
    p.setColor(QPalette::Text, QColor(0x1E, 0x24, 0x2B));
    p.setColor(QPalette::Button, QColor(0xE8, 0xEC, 0xF1));
    p.setColor(QPalette::ButtonText, QColor(0x1E, 0x24, 0x2B));
    p.setColor(QPalette::Highlight, accent);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, accent);
    p.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE8));
    p.setColor(QPalette::ToolTipText, Qt::black);
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x90, 0x96, 0x9E));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x90, 0x96, 0x9E));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x90, 0x96, 0x9E));
    app.setPalette(p);

    // Chinese texts need a CJK face; the Noto CJK fonts come with the set-up.
    const QStringList families = QFontDatabase::families();
    for (const char *name : {"Noto Sans CJK SC", "Noto Sans SC", "WenQuanYi Micro Hei", "Droid Sans Fallback"}) {
        if (families.contains(QString::fromLatin1(name))) {
            QFont font(QString::fromLatin1(name));
            font.setPointSize(10);
            app.setFont(font);
            break;
        }
    }
    app.setWindowIcon(MakeIcon(LookIcon::Product));

    // Qt's own texts (dialog buttons, file and input dialogs, calendar) in Chinese as well.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China));
    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(translator);
    else
        delete translator;
}

namespace {

void drawGlyph(QPainter &g, LookIcon kind)
{
    const QColor blue(0x1F, 0x6F, 0xB2), green(0x2E, 0x8B, 0x57), orange(0xE0, 0x8A, 0x1E), red(0xC0, 0x39, 0x2B);
    g.setRenderHint(QPainter::Antialiasing);
    switch (kind) {
    case LookIcon::Product: {
        // A coin split into shares: the program's business in one picture.
        g.setPen(QPen(QColor(0x15, 0x4F, 0x80), 2));
        g.setBrush(blue);
        g.drawEllipse(QRectF(3, 3, 26, 26));
        g.setBrush(orange);
        g.setPen(Qt::NoPen);
        g.drawPie(QRectF(7, 7, 18, 18), 90 * 16, -120 * 16);
        g.setBrush(QColor(0xF4, 0xD0, 0x3F));
        g.drawPie(QRectF(7, 7, 18, 18), -30 * 16, -100 * 16);
        break;
    }
    case LookIcon::Entry:
        g.setPen(QPen(Qt::darkGray, 1.5));
        g.setBrush(Qt::white);
        g.drawRect(QRectF(6, 3, 18, 25));
        g.setPen(QPen(blue, 2));
        for (int y = 9; y <= 21; y += 4)
            g.drawLine(QPointF(9, y), QPointF(21, y));
        g.setPen(QPen(green, 3));
        g.drawLine(QPointF(20, 26), QPointF(29, 17));
        break;
    case LookIcon::Query:
        g.setPen(QPen(blue, 3));
        g.setBrush(QColor(0xDD, 0xEB, 0xF7));
        g.drawEllipse(QRectF(4, 4, 17, 17));
        g.drawLine(QPointF(18, 18), QPointF(28, 28));
        break;
    case LookIcon::Statistics:
        g.setPen(Qt::NoPen);
        g.setBrush(blue);
        g.drawRect(QRectF(5, 16, 5, 12));
        g.setBrush(green);
        g.drawRect(QRectF(13, 9, 5, 19));
        g.setBrush(orange);
        g.drawRect(QRectF(21, 4, 5, 24));
        g.setPen(QPen(Qt::darkGray, 1.5));
        g.drawLine(QPointF(3, 29), QPointF(29, 29));
        break;
    case LookIcon::Exit:
        g.setPen(QPen(Qt::darkGray, 2));
        g.setBrush(QColor(0xF0, 0xF0, 0xF0));
        g.drawRect(QRectF(5, 4, 14, 24));
        g.setPen(QPen(red, 3));
        g.drawLine(QPointF(14, 16), QPointF(28, 16));
        g.drawLine(QPointF(23, 11), QPointF(28, 16));
        g.drawLine(QPointF(23, 21), QPointF(28, 16));
        break;
    case LookIcon::TreeTop:
        g.setPen(QPen(QColor(0x9A, 0x6B, 0x12), 1.5));
        g.setBrush(QColor(0xF4, 0xC4, 0x30));
        g.drawRect(QRectF(3, 9, 26, 18));
        g.drawRect(QRectF(3, 6, 11, 4));
        break;
    case LookIcon::TreeSub:
        g.setPen(QPen(QColor(0x15, 0x4F, 0x80), 1.5));
        g.setBrush(QColor(0x9C, 0xC8, 0xEE));
        g.drawRect(QRectF(5, 10, 22, 15));
        g.drawRect(QRectF(5, 7, 9, 4));
        break;
    case LookIcon::TreeEmployee: {
        g.setPen(Qt::NoPen);
        g.setBrush(green);
        g.drawEllipse(QRectF(11, 4, 10, 10));
        QPainterPath body;
        body.addRoundedRect(QRectF(6, 16, 20, 13), 6, 6);
        g.drawPath(body);
        break;
    }
    }
}

} // namespace

QIcon MakeIcon(LookIcon kind)
{
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter g(&pixmap);
        g.scale(size / 32.0, size / 32.0);
        drawGlyph(g, kind);
        g.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
