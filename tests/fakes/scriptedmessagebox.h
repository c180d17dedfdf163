#pragma once

#include "platform/messagebox.h"

#include <QList>
#include <QString>

namespace brisquel {

// Answers from a queue and keeps every box it was asked to show. With the
// queue empty it answers as Enter would: the box's default button.
class ScriptedMessageBox final : public MessageBox
{
public:
    struct Call {
        QString text;
        int style = 0;
        QString title;
    };

    explicit ScriptedMessageBox(QList<int> queuedAnswers = {})
        : answers(std::move(queuedAnswers))
    {
    }

    int show(const QString &text, int style, const QString &title) override
    {
        calls.append({text, style, title});
        if (!answers.isEmpty())
            return answers.takeFirst();
        if ((style & 0x7) == vbYesNo)
            return (style & 0x300) == vbDefaultButton2 ? vbNo : vbYes;
        return vbOK;
    }

    QList<int> answers;
    QList<Call> calls;
};

} // namespace brisquel
