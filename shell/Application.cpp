#include "shell/Application.h"

#include "core/Texts.h"

#include <QMessageBox>

#include <exception>

namespace {
void StandardBox(const QString &caption, const QString &text) {
    QMessageBox::critical(QApplication::activeWindow(), caption, text);
}
} // namespace

void (*TAplicacion::ReportBox)(const QString &, const QString &) = StandardBox;

TAplicacion::TAplicacion(int &argc, char **argv) : QApplication(argc, argv) {}

QString ExceptionText(const QString &message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void TAplicacion::ShowException(const QString &message) {
    ReportBox(QString::fromLatin1(ApplicationTitle), ExceptionText(message));
}

bool TAplicacion::notify(QObject *receiver, QEvent *event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        ShowException(QString::fromUtf8(e.what()));
    } catch (...) {
        ShowException(QStringLiteral("Unknown error"));
    }
    return false;
}
