#include "messagecomposer.h"

#include "dispatch.h"

namespace brisquel {

MessageComposer::MessageComposer(AppState &state, Dispatcher &dispatcher, QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_dispatcher(dispatcher)
{
}

void MessageComposer::begin(const QString &loginName)
{
    m_state.loginName = loginName;
    m_state.lettersLeft = kFullBudget;
    m_state.history = History();
    m_state.recipientMode = RecipientMode::Users;
}

void MessageComposer::setSenderName(const QString &name)
{
    const bool sign = !name.isEmpty();
    m_state.senderName = sign ? name : m_state.loginName;
    m_state.signWithSenderName = sign;
}

const RecipientList &MessageComposer::bank() const
{
    return m_state.recipientMode == RecipientMode::Groups ? m_state.groups : m_state.users;
}

void MessageComposer::switchMode()
{
    m_state.recipientMode =
        m_state.recipientMode == RecipientMode::Users ? RecipientMode::Groups : RecipientMode::Users;
    emit modeChanged(m_state.recipientMode);
}

void MessageComposer::sendToSlot(int slot, const QString &message)
{
    const QString &recipients = bank()[std::size_t(slot)].recipients;
    if (m_state.recipientMode == RecipientMode::Groups)
        m_dispatcher.sendToGroup(recipients, message);
    else
        m_dispatcher.sendToUser(recipients, message);
    emit sent(historyCount());
}

void MessageComposer::sendToTyped(const QString &recipients, const QString &message)
{
    if (recipients.contains(QLatin1Char(',')))
        m_dispatcher.sendToGroup(recipients, message);
    else
        m_dispatcher.sendToUser(recipients, message);
    emit sent(historyCount());
}

void MessageComposer::sendQuick(int index, const QString &message)
{
    if (index >= 0 && index < kRecipientSlots)
        m_dispatcher.sendToUser(m_state.users[std::size_t(index)].recipients, message);
}

void MessageComposer::sendReply(const QString &address, const QString &message)
{
    m_dispatcher.sendToUser(address, message);
    emit sent(historyCount());
}

QString MessageComposer::browseTo(int position)
{
    m_state.history.browseTo(position);
    return m_state.history.message(position);
}

} // namespace brisquel
