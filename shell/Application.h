#pragma once

#include <QApplication>
#include <QString>

// The program's application object: an error escaping an event handler ends that
// handler and is shown in the standard message box; the program goes on.
class TAplicacion : public QApplication {
    Q_OBJECT
public:
    TAplicacion(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // Shows the standard error report for message. Tests replace the box.
    static void ShowException(const QString &message);
    static void (*ReportBox)(const QString &caption, const QString &text);
};

// The message as the error report shows it: a full stop is appended when the last
// character sorts after the full stop (so "!" and "." endings are kept as they are).
QString ExceptionText(const QString &message);
