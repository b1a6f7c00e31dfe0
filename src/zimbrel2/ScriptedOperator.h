#pragma once

#include "zimbrel2/MessageBoxStyle.h"
#include "zimbrel2/OperatorDialogs.h"

#include <QList>

#include <deque>

/// An operator that answers from a queue and records every box shown: for tests, which script the
/// answers in the order the boxes must appear. A box that appears when the next answer is for another
/// kind of box, or does not show the text the answer expects, or is offered an answer that is not
/// among its buttons, is recorded as unexpected and answered cancel (2) or nothing; the answer stays
/// queued.
class ScriptedOperator : public OperatorDialogs
{
public:
    enum class Kind
    {
        Message,
        Input,
        OpenFile,
        Folder,
        Printer,
        Date
    };

    /// One box as it appeared. `text` is what an expected text is matched against: the message, the
    /// input prompt, the file dialog's title, the current printer or the initial date (ISO).
    struct Shown
    {
        Kind kind = Kind::Message;
        QString text;
        QString title;
        /// Message boxes: the style word and its reading.
        int style = 0;
        MessageBoxStyle::Icon icon = MessageBoxStyle::Icon::None;
        QList<int> buttons;
        /// Input default text, file filter + "|" + initial folder, the folder dialog's initial folder.
        QString detail;
        bool expected = true;
        /// Why the box was unexpected; empty when it was not.
        QString problem;
    };

    /// One scripted answer.
    struct Answer
    {
        Kind kind = Kind::Message;
        int code = 0;
        std::optional<QString> text;
        std::optional<QDate> date;
        /// Text the box must contain (empty: any).
        QString expectedText;
    };

    /// The next message box is answered `code`.
    void answerMessage(int code, const QString& expectedText = {});
    /// The next input box gets `text` (nullopt: cancelled).
    void answerInput(const std::optional<QString>& text, const QString& expectedPrompt = {});
    /// The next open-file dialog gets `fileName` (nullopt: cancelled).
    void answerOpenFile(const std::optional<QString>& fileName, const QString& expectedTitle = {});
    /// The next folder dialog gets `folder` (nullopt: cancelled).
    void answerFolder(const std::optional<QString>& folder, const QString& expectedTitle = {});
    /// The next printer dialog gets `printerName` (nullopt: cancelled).
    void answerPrinter(const std::optional<QString>& printerName, const QString& expectedCurrent = {});
    /// The next date dialog gets `date` (nullopt: cancelled).
    void answerDate(const std::optional<QDate>& date);

    int messageBox(const QString& text, int style, const QString& title) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    std::optional<QString> openFileName(const QString& title, const QString& filter,
                                        const QString& initialFolder) override;
    std::optional<QString> chooseFolder(const QString& title, const QString& initialFolder) override;
    std::optional<QString> choosePrinter(const QString& currentPrinterName) override;
    std::optional<QDate> chooseDate(const QDate& initial) override;

    /// Every box shown, in order.
    const QList<Shown>& shown() const { return m_shown; }
    /// The boxes that found no fitting answer.
    QList<Shown> unexpected() const;
    /// The answers no box took.
    QList<Answer> unusedAnswers() const;
    /// A readable account of unexpected boxes and unused answers; empty when there are none.
    QString problems() const;
    /// Forgets the record and the queue.
    void clear();

    static QString kindName(Kind kind);

protected:
    /// Called for each unexpected box after it was recorded.
    virtual void noteUnexpected(const Shown& box);

private:
    // Records `box`; takes the front answer into `answer` when it fits, else notes in `box` why not.
    bool take(Shown& box, Answer& answer);

    std::deque<Answer> m_queue;
    QList<Shown> m_shown;
};
