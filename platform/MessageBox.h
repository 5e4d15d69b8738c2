// The game's message boxes: one OK button, plain or with the information or error icon, titled
// "Globana".
// Tests replace the presenter to record messages instead of showing a modal box.
#pragma once

#include <QString>

#include <functional>
#include <string>

enum class MessageKind { Plain, Information, Error };

using MessagePresenter = std::function<void(MessageKind kind, const QString& text)>;

// An empty presenter restores the real message box.
void SetMessagePresenter(MessagePresenter presenter);

void ShowMessage(const QString& text);
void ShowInformation(const QString& text);
void ShowError(const QString& text);
// std::string texts are the game's Windows-1252 bytes.
void ShowMessage(const std::string& text);
void ShowError(const std::string& text);
void ShowMessage(const char* text);
void ShowError(const char* text);
