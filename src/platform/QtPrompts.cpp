#include "platform/QtPrompts.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace {

QWidget *dialogParent()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

QString title()
{
    return QApplication::applicationDisplayName().isEmpty() ? QApplication::applicationName()
                                                            : QApplication::applicationDisplayName();
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

} // namespace

void QtPrompts::message(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, title(), text, QMessageBox::Ok, dialogParent());
    box.exec();
}

void QtPrompts::information(const QString &text)
{
    QMessageBox::information(dialogParent(), title(), text);
}

void QtPrompts::warning(const QString &text)
{
    QMessageBox::warning(dialogParent(), title(), text);
}

bool QtPrompts::confirm(const QString &text)
{
    return QMessageBox::warning(dialogParent(), title(), text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
        != QMessageBox::No;
}

QString QtPrompts::input(const QString &title_, const QString &prompt, const QString &initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(dialogParent(), title_, prompt, QLineEdit::Normal, initial, &ok);
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
