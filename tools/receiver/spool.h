#pragma once

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QThreadPool>

#include <functional>
#include <optional>

namespace brisquel::receiver {

// Who a spooled message waits for: a uid, or nobody yet (it goes to the
// first user who connects).
using Owner = qint64;
inline constexpr Owner kNoOwnerYet = -1;

struct MessageContent {
    QString from;
    QString to;
    QString address;
    QDateTime received;
    QString text;
};

struct SpooledMessage {
    quint64 id = 0;
    MessageContent content;
};

struct SpoolLimits {
    int messages = 200; // per owner
    qint64 bytes = 1048576;
};

// Messages on disk, one file per message and owner, until their owner
// acknowledges them. A message is stored before the sender hears it
// arrived: written, flushed to disk, renamed into place and the folder
// flushed too, so a crash at any moment keeps every message acknowledged
// to a sender. Ids only grow, across restarts too: the file names carry
// them, and the last acknowledged one leaves an empty marker behind.
// The writes run on worker threads, several at once, so the disk flushes
// of concurrent senders are done together rather than one after another.
class Spool
{
public:
    Spool(QString folder, SpoolLimits limits);
    ~Spool();
    Spool(const Spool &) = delete;
    Spool &operator=(const Spool &) = delete;

    // Creates the folder if needed and reads what it holds; the reason in
    // Spanish when it cannot.
    QString open();

    struct Copy {
        quint64 id = 0;
        Owner owner = kNoOwnerYet;
    };
    struct Stored {
        QList<Copy> copies; // one per owner that had room
        bool full = false;  // no owner had room
        QString problem;    // the disk failed us
    };
    // One copy for each owner with room for it; `done` runs on this
    // object's thread once all are on disk (never after the spool is gone).
    void store(const MessageContent &content, const QList<Owner> &owners, std::function<void(Stored)> done);

    // What waits for `owner`, oldest first, read from disk.
    QList<SpooledMessage> pending(Owner owner) const;

    // Hands every message nobody was there for to `owner`.
    void claimUnowned(Owner owner);
    // Hands one such message to `owner`; false when it is not one.
    bool claim(quint64 id, Owner owner);

    // Forgets a message of `owner`; false when it has no such message.
    bool acknowledge(Owner owner, quint64 id);

    QString folder() const { return m_folder; }

private:
    struct Entry {
        Owner owner = kNoOwnerYet;
        qint64 bytes = 0;
        bool onDisk = false; // false while its write is under way
    };
    void finishStore(const QList<Copy> &copies, const QList<QString> &problems, const std::function<void(Stored)> &done);
    QString pathOf(quint64 id, Owner owner) const;
    bool hasRoom(Owner owner, qint64 bytes) const;
    bool syncFolder() const;
    bool giveTo(quint64 id, Owner owner); // renames, without flushing the folder

    QString m_folder;
    SpoolLimits m_limits;
    QMap<quint64, Entry> m_entries;
    quint64 m_lastId = 0;
    std::optional<quint64> m_ackMarker;
    int m_folderFd = -1;
    QThreadPool m_writers;
    QObject m_callbacks; // lives and dies on the spool's thread
};

} // namespace brisquel::receiver
