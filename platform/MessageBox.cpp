// Message boxes over QMessageBox, with a replaceable presenter for tests.
#include "platform/MessageBox.h"

#include "platform/Win1252.h"

#include <QApplication>
#include <QMessageBox>

namespace {

MessagePresenter& Presenter()
{
    static MessagePresenter presenter;
    return presenter;
}

void Present(MessageKind kind, const QString& text)
{
    if (Presenter()) {
        Presenter()(kind, text);
        return;
    }
    const QMessageBox::Icon icon = kind == MessageKind::Error         ? QMessageBox::Critical
                                   : kind == MessageKind::Information ? QMessageBox::Information
                                                                      : QMessageBox::NoIcon;
    QMessageBox box(icon, QStringLiteral("Globana"), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

} // namespace

void SetMessagePresenter(MessagePresenter presenter)
{
    Presenter() = std::move(presenter);
}

void ShowMessage(const QString& text) { Present(MessageKind::Plain, text); }
void ShowInformation(const QString& text) { Present(MessageKind::Information, text); }
void ShowError(const QString& text) { Present(MessageKind::Error, text); }
void ShowMessage(const std::string& text) { ShowMessage(FromWin1252(text)); }
void ShowError(const std::string& text) { ShowError(FromWin1252(text)); }
void ShowMessage(const char* text) { ShowMessage(std::string(text)); }
void ShowError(const char* text) { ShowError(std::string(text)); }
