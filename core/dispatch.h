#pragma once

#include "module1.h"

#include <QStringList>

namespace brisquel {

class CommandStarter;

// The only place that sends anything: one `net send` command line per
// recipient, started without waiting, then one history step per call.
class Dispatcher {
public:
    Dispatcher(Module1 &state, CommandStarter &starter);

    // One recipient.
    void EnviaUsuario(const QString &recipient, const QString &message);
    // A recipient list such as "pepe, juan": one command per item, in order.
    void EnviaGrupo(const QString &recipients, const QString &message);

private:
    void send(const QString &recipient, const QString &message);
    void recordInHistory(const QString &message);

    Module1 &m_state;
    CommandStarter &m_starter;
};

// "net send R "M<LF><CR><LF><CR>signature"" for the state's signature choice.
QString netSendCommandLine(const Module1 &state, const QString &recipient, const QString &message);

// The items of a recipient list. The separator is a comma plus one more
// character, whatever it is; nothing is trimmed and empty items count.
QStringList splitRecipientList(const QString &recipients);

} // namespace brisquel
