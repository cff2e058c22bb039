#include "shell/uPub.h"

#include "platform/os/Os.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidgetItem>
#include <QWidget>

void RunProgram(const QString &path, const QString &parameters)
{
    const QFileInfo info(path);
    if (info.isFile() && !info.isExecutable()) {
        Os::instance().openDocument(path);
        return;
    }
    Os::instance().startProgram(path, QProcess::splitCommand(parameters));
}

void OpenInBrowser(const QString &target)
{
    Os::instance().openInBrowser(target);
}

void CopyFileTo(const QString &source, const QString &destination)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw FileError(QStringLiteral("Cannot open file \"%1\": %2").arg(source, in.errorString()));
    QFile out(destination);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw FileError(QStringLiteral("Cannot create file \"%1\": %2").arg(destination, out.errorString()));
    char buffer[64 * 1024];
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n < 0)
            throw FileError(QStringLiteral("Read error on \"%1\": %2").arg(source, in.errorString()));
        if (n == 0)
            break;
        if (out.write(buffer, n) != n)
            throw FileError(QStringLiteral("Write error on \"%1\": %2").arg(destination, out.errorString()));
    }
    if (!out.flush())
        throw FileError(QStringLiteral("Write error on \"%1\": %2").arg(destination, out.errorString()));
}

namespace {

bool acceptsTabFocus(QWidget *w, QWidget *from)
{
    return w->window() == from->window() && w->isEnabled() && w->isVisibleTo(w->window())
        && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && !from->isAncestorOf(w);
}

// The next widget in tab order after `from`, as the dialog's own tab navigation would pick.
void focusNextControl(QWidget *from)
{
    for (QWidget *w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain()) {
        if (acceptsTabFocus(w, from)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

// The control that Enter in `control` moves on from, or nullptr where Enter stays: in a memo
// without Ctrl, and in a string grid.
QWidget *enterMovesFrom(QWidget *control, int key, Qt::KeyboardModifiers modifiers)
{
    if (!control || (key != Qt::Key_Return && key != Qt::Key_Enter))
        return nullptr;
    // The editor inside a combo or spin box stands for its box.
    for (QWidget *p = control->parentWidget(); p; p = p->parentWidget()) {
        if (qobject_cast<QComboBox *>(p) || qobject_cast<QAbstractSpinBox *>(p)) {
            control = p;
            break;
        }
        if (p->isWindow())
            break;
    }
    const auto isMemo = [](QWidget *w) {
        return w && (qobject_cast<QPlainTextEdit *>(w) || qobject_cast<QTextEdit *>(w));
    };
    if ((isMemo(control) || isMemo(control->parentWidget())) && !(modifiers & Qt::ControlModifier))
        return nullptr;
    for (QObject *o = control; o; o = o->parent())
        if (o->inherits("TStringAlignGrid"))
            return nullptr;
    return control;
}

} // namespace

void EnterToNextControl(QWidget *control, int key, Qt::KeyboardModifiers modifiers)
{
    QWidget *from = enterMovesFrom(control, key, modifiers);
    if (!from)
        return;
    // Posted, not done at once: the focus moves after the current key event is handled.
    QPointer<QWidget> guard(from);
    QTimer::singleShot(0, from, [guard] {
        if (guard)
            focusNextControl(guard);
    });
}

int IndexOfText(const QStringList &list, const QString &text)
{
    return int(list.indexOf(text));
}

QString TreeNodePath(const QTreeWidgetItem *node)
{
    QString path;
    for (; node; node = node->parent())
        path = node->text(0) + u'\\' + path;
    return path;
}

QString CleanNumberText(const QString &text)
{
    QString result = text;
    result.remove(u' ');
    if (result == QLatin1String(".") || result == QLatin1String(".0"))
        return QStringLiteral("0.0");
    return result;
}

namespace {

class EnterKeyFilter final : public QObject {
public:
    explicit EnterKeyFilter(QWidget *form) : QObject(form), m_form(form) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget || widget->window() != m_form || widget != QApplication::focusWidget())
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (!enterMovesFrom(widget, key->key(), key->modifiers()))
            return false;
        EnterToNextControl(widget, key->key(), key->modifiers());
        return true;
    }

private:
    QWidget *m_form;
};

} // namespace

void InstallEnterToNextControl(QWidget *form)
{
    qApp->installEventFilter(new EnterKeyFilter(form));
}
