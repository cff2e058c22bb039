#pragma once

// The small routines that the windows of both programs share.

#include "platform/text/AmountFormat.h"
#include "platform/text/ChineseCollator.h"
#include "platform/text/Gbk.h"
#include "platform/text/PadZeros.h"
#include "platform/text/Pinyin.h"
#include "platform/text/SqlText.h"

#include <QString>
#include <QStringList>
#include <Qt>
#include <stdexcept>

class QTreeWidgetItem;
class QWidget;

// A file that could not be opened, created, read or written.
class FileError : public std::runtime_error {
public:
    explicit FileError(const QString &message) : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

// Starts a program (with its parameter line) or opens a document with its default program.
// Reports nothing: a missing file or a refusal simply has no effect.
void RunProgram(const QString &path, const QString &parameters = QString());

// Starts a web browser for a web address or a local page; reports nothing.
void OpenInBrowser(const QString &target);


// Copies `source` over `destination` (replaced without asking); raises FileError.
void CopyFileTo(const QString &source, const QString &destination);

// Enter moves the focus to the next control once the key event is done; in a memo only
// Ctrl+Enter does, and in a string grid Enter does nothing.
void EnterToNextControl(QWidget *control, int key, Qt::KeyboardModifiers modifiers);

// Index of the first line equal to `text` (case-sensitive), or -1.
int IndexOfText(const QStringList &list, const QString &text);

// Captions from the root down to `node`, each followed by a backslash ("行政部\车辆\");
// "" for no node. Formula tokens store this text, backslashes included.
QString TreeNodePath(const QTreeWidgetItem *node);

// Removes the spaces of a masked amount field; "." and ".0" become "0.0".
QString CleanNumberText(const QString &text);

// Gives a dialog the key preview the routine above expects: Enter in any of its controls is
// handed to EnterToNextControl, and swallowed where it moves the focus (so it does not press
// the default button).
void InstallEnterToNextControl(QWidget *form);
