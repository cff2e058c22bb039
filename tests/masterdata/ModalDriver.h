#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <functional>

// Runs `act` on the modal dialog that the code under test is about to open. When no modal
// dialog turns up, `seen` stays false; a dialog left open by `act` is rejected.
inline void WhenModalOpens(std::function<void(QDialog *)> act, bool *seen = nullptr)
{
    if (seen)
        *seen = false;
    QTimer::singleShot(0, [act, seen] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (seen)
            *seen = true;
        act(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}
