#include "spool.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace brisquel::receiver {

namespace {

const QString kMessageSuffix = QStringLiteral(".msg");
const QString kTemporarySuffix = QStringLiteral(".tmp");
const QString kMarkerSuffix = QStringLiteral(".acked");
const QString kNoOwnerName = QStringLiteral("any");

QString idText(quint64 id)
{
    return QStringLiteral("%1").arg(id, 20, 10, QLatin1Char('0'));
}

QByteArray serialize(const MessageContent &content)
{
    const QJsonObject object{
        {QStringLiteral("from"), content.from},
        {QStringLiteral("to"), content.to},
        {QStringLiteral("address"), content.address},
        {QStringLiteral("received"), content.received.toUTC().toString(Qt::ISODate)},
        {QStringLiteral("text"), content.text},
    };
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<MessageContent> deserialize(const QByteArray &bytes)
{
    const QJsonDocument document = QJsonDocument::fromJson(bytes);
    if (!document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    MessageContent content;
    content.from = object.value(QStringLiteral("from")).toString();
    content.to = object.value(QStringLiteral("to")).toString();
    content.address = object.value(QStringLiteral("address")).toString();
    content.received = QDateTime::fromString(object.value(QStringLiteral("received")).toString(), Qt::ISODate);
    content.text = object.value(QStringLiteral("text")).toString();
    return content;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// Writes a new file and flushes it to disk; the reason when it fails.
QString writeDurably(const QString &path, const QByteArray &bytes)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    const bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    if (!ok) {
        ::unlink(name.constData());
        return QString::fromLocal8Bit(std::strerror(error));
    }
    return {};
}

} // namespace

Spool::Spool(QString folder, SpoolLimits limits) : m_folder(std::move(folder)), m_limits(limits)
{
    // Enough writers for a flood of concurrent senders to share flushes.
    m_writers.setMaxThreadCount(16);
}

Spool::~Spool()
{
    m_writers.waitForDone();
    if (m_folderFd >= 0)
        ::close(m_folderFd);
}

QString Spool::open()
{
    QDir dir(m_folder);
    if (!dir.mkpath(QStringLiteral(".")))
        return QStringLiteral("no se puede crear la carpeta de mensajes %1").arg(m_folder);
    m_folderFd = ::open(QFile::encodeName(m_folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_folderFd < 0)
        return QStringLiteral("no se puede abrir la carpeta de mensajes %1: %2")
            .arg(m_folder, QString::fromLocal8Bit(std::strerror(errno)));

    QList<quint64> markers;
    for (const QFileInfo &file : dir.entryInfoList(QDir::Files | QDir::Hidden)) {
        const QString name = file.fileName();
        bool ok = false;
        const quint64 id = name.section(u'.', 0, 0).toULongLong(&ok);
        if (!ok)
            continue;
        m_lastId = std::max(m_lastId, id);
        if (name.endsWith(kTemporarySuffix)) {
            // Never acknowledged to anyone: the rename had not happened.
            dir.remove(name);
        } else if (name.endsWith(kMarkerSuffix)) {
            markers << id;
        } else if (name.endsWith(kMessageSuffix)) {
            const QString ownerText = name.section(u'.', 1, 1);
            const Owner owner = ownerText == kNoOwnerName ? kNoOwnerYet : ownerText.toLongLong(&ok);
            if (ok && owner >= kNoOwnerYet)
                m_entries.insert(id, {owner, file.size(), true});
        }
    }
    std::sort(markers.begin(), markers.end());
    if (!markers.isEmpty()) {
        m_ackMarker = markers.takeLast();
        for (const quint64 id : std::as_const(markers))
            dir.remove(idText(id) + kMarkerSuffix);
    }
    return {};
}

QString Spool::pathOf(quint64 id, Owner owner) const
{
    const QString ownerText = owner == kNoOwnerYet ? kNoOwnerName : QString::number(owner);
    return m_folder + u'/' + idText(id) + u'.' + ownerText + kMessageSuffix;
}

bool Spool::hasRoom(Owner owner, qint64 bytes) const
{
    int count = 0;
    qint64 total = 0;
    for (const Entry &entry : m_entries) {
        if (entry.owner == owner) {
            ++count;
            total += entry.bytes;
        }
    }
    return count < m_limits.messages && total + bytes <= m_limits.bytes;
}

bool Spool::syncFolder() const
{
    return ::fsync(m_folderFd) == 0;
}

void Spool::store(const MessageContent &content, const QList<Owner> &owners, std::function<void(Stored)> done)
{
    const QByteArray bytes = serialize(content);
    QList<Copy> copies;
    for (const Owner owner : owners) {
        if (!hasRoom(owner, bytes.size()))
            continue;
        const quint64 id = ++m_lastId;
        m_entries.insert(id, {owner, bytes.size(), false});
        copies << Copy{id, owner};
    }
    if (copies.isEmpty()) {
        Stored full;
        full.full = true;
        done(full);
        return;
    }
    auto problems = std::make_shared<QList<QString>>(copies.size());
    auto left = std::make_shared<int>(int(copies.size()));
    for (qsizetype i = 0; i < copies.size(); ++i) {
        const QString temporary = m_folder + u'/' + idText(copies[i].id) + kTemporarySuffix;
        const QString final = pathOf(copies[i].id, copies[i].owner);
        const int folderFd = m_folderFd;
        m_writers.start([this, i, temporary, final, bytes, folderFd, copies, problems, left, done] {
            QString problem = writeDurably(temporary, bytes);
            if (problem.isEmpty()
                && ::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(final).constData()) != 0) {
                problem = QString::fromLocal8Bit(std::strerror(errno));
                QFile::remove(temporary);
            }
            if (problem.isEmpty() && ::fsync(folderFd) != 0)
                problem = QString::fromLocal8Bit(std::strerror(errno));
            QMetaObject::invokeMethod(
                &m_callbacks,
                [this, i, problem, copies, problems, left, done] {
                    (*problems)[i] = problem;
                    if (--*left == 0)
                        finishStore(copies, *problems, done);
                },
                Qt::QueuedConnection);
        });
    }
}

void Spool::finishStore(const QList<Copy> &copies, const QList<QString> &problems,
                        const std::function<void(Stored)> &done)
{
    Stored stored;
    for (qsizetype i = 0; i < copies.size(); ++i) {
        const auto entry = m_entries.find(copies[i].id);
        if (problems[i].isEmpty()) {
            entry->onDisk = true;
            stored.copies << copies[i];
        } else {
            // Whatever did reach the disk is delivered anyway.
            m_entries.erase(entry);
            stored.problem = QStringLiteral("no se puede guardar un mensaje en %1: %2").arg(m_folder, problems[i]);
        }
    }
    done(stored);
}

QList<SpooledMessage> Spool::pending(Owner owner) const
{
    QList<SpooledMessage> messages;
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it) {
        if (it->owner != owner || !it->onDisk)
            continue;
        QFile file(pathOf(it.key(), owner));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        if (const std::optional<MessageContent> content = deserialize(file.read(1 << 20)))
            messages << SpooledMessage{it.key(), *content};
    }
    return messages;
}

void Spool::claimUnowned(Owner owner)
{
    QList<quint64> unowned;
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it) {
        if (it->owner == kNoOwnerYet && it->onDisk)
            unowned << it.key();
    }
    bool moved = false;
    for (const quint64 id : std::as_const(unowned))
        moved = giveTo(id, owner) || moved;
    if (moved)
        syncFolder();
}

bool Spool::claim(quint64 id, Owner owner)
{
    if (!giveTo(id, owner))
        return false;
    syncFolder();
    return true;
}

bool Spool::giveTo(quint64 id, Owner owner)
{
    const auto it = m_entries.find(id);
    if (it == m_entries.end() || it->owner != kNoOwnerYet || !it->onDisk)
        return false;
    if (::rename(QFile::encodeName(pathOf(id, kNoOwnerYet)).constData(),
                 QFile::encodeName(pathOf(id, owner)).constData()) != 0)
        return false;
    it->owner = owner;
    return true;
}

bool Spool::acknowledge(Owner owner, quint64 id)
{
    const auto it = m_entries.constFind(id);
    if (it == m_entries.cend() || it->owner != owner || !it->onDisk)
        return false;
    // The newest acknowledged message becomes the marker that keeps its id
    // from being given again; its text goes.
    const QString path = pathOf(id, owner);
    const QString marker = m_folder + u'/' + idText(id) + kMarkerSuffix;
    if (!m_ackMarker || *m_ackMarker < id) {
        if (::rename(QFile::encodeName(path).constData(), QFile::encodeName(marker).constData()) != 0)
            return false;
        // Failing to empty it only keeps a text already shown.
        [[maybe_unused]] const int emptied = ::truncate(QFile::encodeName(marker).constData(), 0);
        if (m_ackMarker)
            QFile::remove(m_folder + u'/' + idText(*m_ackMarker) + kMarkerSuffix);
        m_ackMarker = id;
    } else if (!QFile::remove(path)) {
        return false;
    }
    m_entries.erase(it);
    return true;
}

} // namespace brisquel::receiver
