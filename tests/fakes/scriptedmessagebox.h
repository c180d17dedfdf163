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
        Style style;
        QString title;
    };

    explicit ScriptedMessageBox(QList<Answer> queuedAnswers = {})
        : answers(std::move(queuedAnswers))
    {
    }

    Answer show(const QString &text, const Style &style, const QString &title) override
    {
        calls.append({text, style, title});
        if (!answers.isEmpty())
            return answers.takeFirst();
        if (style.buttons == Buttons::YesNo)
            return style.options.testFlag(NoIsDefault) ? Answer::No : Answer::Yes;
        return Answer::Ok;
    }

    // The style as one line, for comparing whole boxes at once.
    static QString describe(const Style &style)
    {
        static const char *const buttons[] = {"Ok", "YesNo"};
        static const char *const icons[] = {"None", "Critical", "Question", "Warning", "Information"};
        QString text = QString::fromLatin1(buttons[int(style.buttons)]) + QLatin1Char('+')
            + QString::fromLatin1(icons[int(style.icon)]);
        if (style.options.testFlag(NoIsDefault))
            text += QStringLiteral("+NoIsDefault");
        if (style.options.testFlag(StaysOnTop))
            text += QStringLiteral("+StaysOnTop");
        return text;
    }

    QList<Answer> answers;
    QList<Call> calls;
};

} // namespace brisquel
