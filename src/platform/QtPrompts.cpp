#include "platform/QtPrompts.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>

#include <algorithm>

namespace {

QWidget *dialogParent()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

QString runFileDialog(const FileDialogSpec &request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(dialogParent(), request.title, request.folder, request.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (!request.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty())
        dialog.selectFile(QFileInfo(request.fileName).isAbsolute() ? request.fileName
                                                                : QDir(request.folder).filePath(request.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

// Shows a box whose lines are not wrapped unless they are very long: the program's messages
// are written line by line and read badly when the box breaks them elsewhere.
int showBox(QMessageBox::Icon icon, const QString &text, QMessageBox::StandardButtons buttons,
            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton)
{
    // A carriage return alone is a line break in the program's messages.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QMessageBox box(icon, QApplication::applicationDisplayName(), shown, buttons, dialogParent());
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    if (auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))) {
        int widest = 0;
        for (const QString &line : shown.split(u'\n'))
            widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
        label->setMinimumWidth(std::min(widest + 8, 720));
    }
    return box.exec();
}

} // namespace

void QtPrompts::message(const QString &text)
{
    showBox(QMessageBox::NoIcon, text, QMessageBox::Ok);
}

void QtPrompts::information(const QString &text)
{
    showBox(QMessageBox::Information, text, QMessageBox::Ok);
}

void QtPrompts::warning(const QString &text)
{
    showBox(QMessageBox::Warning, text, QMessageBox::Ok);
}

bool QtPrompts::confirm(const QString &text)
{
    return showBox(QMessageBox::Warning, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) != QMessageBox::No;
}

QString QtPrompts::input(const QString &title, const QString &prompt, const QString &initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(dialogParent(), title, prompt, QLineEdit::Normal, initial, &ok);
    return ok ? text : initial;
}

QString QtPrompts::saveFile(const FileDialogSpec &request)
{
    return runFileDialog(request, QFileDialog::AcceptSave);
}

QString QtPrompts::openFile(const FileDialogSpec &request)
{
    return runFileDialog(request, QFileDialog::AcceptOpen);
}
