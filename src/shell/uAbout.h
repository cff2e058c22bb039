#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

// The About box: product name and version, the maker, a link to the maker's web site.
class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAbout(QWidget *parent = nullptr);
    ~TfrmAbout() override;

    QFrame *Panel1;
    QLabel *Image1;
    QLabel *Label1;
    QLabel *Label2;
    QPushButton *Button1;

public slots:
    void Button1Click();
    void Label2Click(); // opens the maker's web site; the box stays open
    void Image1Click(); // the same

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// The maker's web site that the About box links to.
QString MakerWebSite();

// Shows a new About box modally; it is destroyed when it closes.
void OpenAboutBox(QWidget *parent);
