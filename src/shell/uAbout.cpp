#include "shell/uAbout.h"

#include "shell/Look.h"
#include "shell/uPub.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

QString MakerWebSite()
{
    return QStringLiteral("https://quoravel.example.com/");
}

TfrmAbout::TfrmAbout(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      Panel1(new QFrame(this)),
      Image1(new QLabel(Panel1)),
      Label1(new QLabel(QStringLiteral("Quoravel V1.0"), this)),
      Label2(new QLabel(QStringLiteral("Quoravel 开发组"), this)),
      Button1(new QPushButton(QStringLiteral("关闭(&X)"), this))
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("关于.."));
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Image1->setObjectName(QStringLiteral("Image1"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2->setObjectName(QStringLiteral("Label2"));
    Button1->setObjectName(QStringLiteral("Button1"));

    setFixedSize(284, 107);

    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(12, 12, 51, 49);
    Image1->setPixmap(MakeIcon(LookIcon::Product).pixmap(32, 32));
    Image1->setGeometry((51 - 32) / 2, (49 - 32) / 2, 32, 32);
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->setToolTip(MakerWebSite());

    QFont titleFont = Label1->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.15);
    Label1->setFont(titleFont);
    Label1->setGeometry(78, 12, 196, 24);

    QFont linkFont = Label2->font();
    linkFont.setUnderline(true);
    Label2->setFont(linkFont);
    QPalette linkPalette = Label2->palette();
    linkPalette.setColor(QPalette::WindowText, linkPalette.color(QPalette::Link));
    Label2->setPalette(linkPalette);
    Label2->setCursor(Qt::PointingHandCursor);
    Label2->setToolTip(MakerWebSite());
    Label2->setGeometry(78, 40, 196, 22);

    Button1->setGeometry(194, 72, 80, 27);
    Button1->setDefault(true);

    Image1->installEventFilter(this);
    Label2->installEventFilter(this);
    connect(Button1, &QPushButton::clicked, this, &TfrmAbout::Button1Click);
}

TfrmAbout::~TfrmAbout() = default;

bool TfrmAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (watched == Label2)
            Label2Click();
        else if (watched == Image1)
            Image1Click();
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmAbout::Button1Click()
{
    accept();
}

void TfrmAbout::Label2Click()
{
    OpenInBrowser(MakerWebSite());
}

void TfrmAbout::Image1Click()
{
    OpenInBrowser(MakerWebSite());
}

void OpenAboutBox(QWidget *parent)
{
    TfrmAbout box(parent);
    box.exec();
}
