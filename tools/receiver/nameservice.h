#pragma once

#include <QObject>

class QUdpSocket;

namespace brisquel::receiver {

class OurNames;
class SourcePolicy;

// Answers NetBIOS name queries on UDP 137 for our names with the messenger
// suffix, from the address each query was sent to and with the address of
// the interface it came in on. Anything else gets no answer.
class NameService : public QObject
{
    Q_OBJECT

public:
    NameService(QUdpSocket *socket, const SourcePolicy &policy, const OurNames &names, QObject *parent = nullptr);

private:
    void onReadable();

    QUdpSocket *m_socket;
    const SourcePolicy &m_policy;
    const OurNames &m_names;
};

} // namespace brisquel::receiver
