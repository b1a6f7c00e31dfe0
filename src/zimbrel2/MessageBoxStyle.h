#pragma once

#include <QList>
#include <QString>

/// The numeric style word of a message box: button set + icon + default button, as the suite writes
/// it (18 = abort/retry/ignore with the critical icon).
namespace MsgStyle {
constexpr int OkOnly = 0;
constexpr int OkCancel = 1;
constexpr int AbortRetryIgnore = 2;
constexpr int YesNoCancel = 3;
constexpr int YesNo = 4;
constexpr int RetryCancel = 5;
constexpr int Critical = 16;
constexpr int Question = 32;
constexpr int Exclamation = 48;
constexpr int Information = 64;
constexpr int DefaultButton2 = 256;
constexpr int DefaultButton3 = 512;
} // namespace MsgStyle

/// The answer codes a message box returns.
namespace MsgAnswer {
constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int Abort = 3;
constexpr int Retry = 4;
constexpr int Ignore = 5;
constexpr int Yes = 6;
constexpr int No = 7;
} // namespace MsgAnswer

/// A style word taken apart into buttons, icon and default button; shared by the real and the
/// scripted message box so both read a style the same way.
struct MessageBoxStyle
{
    enum class Icon
    {
        None = 0,
        Critical = 16,
        Question = 32,
        Exclamation = 48,
        Information = 64
    };

    int style = 0;
    /// Answer codes of the buttons, left to right.
    QList<int> buttons;
    Icon icon = Icon::None;
    /// Index into `buttons` of the button Enter presses.
    int defaultIndex = 0;

    /// Unknown button sets read as OK only; an unknown icon as none; a default button past the last
    /// one as the first, as the platform's message box does.
    static MessageBoxStyle decode(int style);

    int defaultAnswer() const { return buttons.value(defaultIndex, MsgAnswer::Ok); }
    /// The answer Escape (or closing the box) gives: Cancel when there is one, else the box's
    /// natural "no" (No, Abort), else OK.
    int escapeAnswer() const;
    bool offers(int answer) const { return buttons.contains(answer); }

    /// The Spanish caption of an answer's button ("Aceptar", "Reintentar", ...).
    static QString buttonCaption(int answer);
};
