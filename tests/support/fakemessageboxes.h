#pragma once

#include "ui/messageboxes.h"

#include <QList>
#include <QString>

#include <deque>
#include <functional>

// Records every message box and answers questions from a queue (Yes when the
// queue is empty). A hook can act while a box is "open".
class FakeMessageBoxes : public MessageBoxes
{
public:
    enum Kind { Critical, Question };
    struct Shown
    {
        QString text;
        Kind kind;
    };

    void critical(const QString &text) override
    {
        shown.append({text, Critical});
        if (whileOpen)
            whileOpen();
    }

    bool askYesNo(const QString &text) override
    {
        shown.append({text, Question});
        if (whileOpen)
            whileOpen();
        if (answers.empty())
            return true;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    QStringList texts() const
    {
        QStringList result;
        for (const Shown &box : shown)
            result.append(box.text);
        return result;
    }

    QList<Shown> shown;
    std::deque<bool> answers;
    std::function<void()> whileOpen;
};
