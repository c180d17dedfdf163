#pragma once

#include "commandstarter.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace brisquel {

// One recipient a send did not reach, with the reason in a few words.
struct DeliveryFailure {
    QString recipient;
    QString reason;
};

// What went wrong with the sends of one click, once all of them ended.
struct DeliveryReport {
    QList<DeliveryFailure> failures;
    // Set when the messenger command was not found: its name and where it
    // was looked for. Those recipients are not in `failures`.
    QString missingProgram;
    QStringList searchedFolders;

    bool isEmpty() const { return failures.isEmpty() && missingProgram.isEmpty(); }
};

// The report in words, a line each: the missing program and where it was
// looked for, then the failures, the first `listed` of them by name and
// the rest counted.
QStringList reportLines(const DeliveryReport &report, qsizetype listed);

// The reason a command gives for failing: our `net` says "net: no se pudo
// enviar el mensaje a "R": REASON."; another command's last line of error
// output is taken as it is; a silent one is told by its exit status.
QString failureReason(const CommandEnd &end);

} // namespace brisquel
