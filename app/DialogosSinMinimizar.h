#pragma once
#include <QObject>

// A dialog minimised by the window manager (openbox offers it on any window, and iconifies
// the window the dialog belongs to with it) is shown again at once, and so is that window:
// a dialog must never take the board out of sight, least of all a modal one.
class DialogosSinMinimizar : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
};
