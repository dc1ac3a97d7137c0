#include "store/store_lock.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace store {

namespace {

QByteArray readAll(int fd) {
    QByteArray content;
    char buffer[512];
    off_t offset = 0;
    for (;;) {
        const ssize_t n = pread(fd, buffer, sizeof buffer, offset);
        if (n <= 0)
            break;
        content.append(buffer, n);
        offset += n;
        if (content.size() > 64 * 1024)
            break;  // a lock file is one short line
    }
    return content;
}

// The first field of a lock line is the office user name; ours says who we are.
bool writtenByUs(const QByteArray& content) {
    return content.startsWith(QByteArray(StoreLock::kOwner) + ',');
}

QString systemUser() {
    if (const passwd* pw = getpwuid(getuid()))
        return QString::fromLocal8Bit(pw->pw_name);
    return qEnvironmentVariable("USER");
}

QString hostName() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0)
        return QString();
    return QString::fromLocal8Bit(name);
}

// ",<office user>,<system user>,<host>,<dd.mm.yyyy hh:mm>,<profile URL>;" as a
// spreadsheet program writes it, with our name as the office user.
QByteArray lockLine(const QString& workbookPath) {
    const QString profile = QUrl::fromLocalFile(QFileInfo(workbookPath).absolutePath()).toString();
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy hh:mm"));
    auto field = [](QString s) { return s.remove(u',').remove(u';'); };
    return (QString::fromLatin1(StoreLock::kOwner) + u',' + field(systemUser()) + u',' +
            field(hostName()) + u',' + stamp + u',' + field(profile) + u';')
        .toUtf8();
}

bool sameFile(int fd, const QString& path) {
    struct stat held {
    }, named{};
    if (fstat(fd, &held) != 0 || stat(QFile::encodeName(path).constData(), &named) != 0)
        return false;
    return held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

Error inUse(const QString& workbookPath) {
    return {Error::Kind::InUse, QStringLiteral("Il file %1 è già aperto in un altro programma.")
                                    .arg(QFileInfo(workbookPath).fileName())};
}

}  // namespace

QString StoreLock::lockPathFor(const QString& workbookPath) {
    const QFileInfo info(workbookPath);
    return info.absoluteDir().filePath(QStringLiteral(".~lock.") + info.fileName() + u'#');
}

bool StoreLock::isInUse(const QString& workbookPath) {
    const QByteArray lockPath = QFile::encodeName(lockPathFor(workbookPath));
    const int fd = ::open(lockPath.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno != ENOENT;  // a lock file we may not read belongs to someone else
    bool used = true;
    if (flock(fd, LOCK_SH | LOCK_NB) == 0) {
        const QByteArray content = readAll(fd);
        used = !content.isEmpty() && !writtenByUs(content);
        flock(fd, LOCK_UN);
    }
    ::close(fd);
    return used;
}

std::optional<LockHolder> StoreLock::holder(const QString& workbookPath) {
    QFile file(lockPathFor(workbookPath));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString line = QString::fromUtf8(file.read(64 * 1024)).trimmed();
    if (!line.endsWith(u';'))
        return std::nullopt;
    const QStringList fields = line.chopped(1).split(u',');
    if (fields.size() < 4)
        return std::nullopt;
    return LockHolder{fields[0], fields[1], fields[2], fields[3],
                      fields[0] == QLatin1String(kOwner)};
}

Result<StoreLock> StoreLock::acquire(const QString& workbookPath) {
    const QString path = lockPathFor(workbookPath);
    const QByteArray name = QFile::encodeName(path);
    // A lock file removed by its holder between our open and our flock is a stale
    // inode: try again on the file that the name now gives.
    for (int attempt = 0; attempt < 5; ++attempt) {
        const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) {
            return Error{Error::Kind::Io,
                         QStringLiteral("Impossibile creare il file di blocco %1: %2")
                             .arg(path, QString::fromLocal8Bit(strerror(errno)))};
        }
        if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            return inUse(workbookPath);
        }
        if (!sameFile(fd, path)) {
            ::close(fd);
            continue;
        }
        const QByteArray content = readAll(fd);
        if (!content.isEmpty() && !writtenByUs(content)) {
            ::close(fd);
            return inUse(workbookPath);
        }
        const QByteArray line = lockLine(workbookPath);
        if (ftruncate(fd, 0) != 0 ||
            pwrite(fd, line.constData(), std::size_t(line.size()), 0) != line.size() ||
            fsync(fd) != 0) {
            const QString why = QString::fromLocal8Bit(strerror(errno));
            unlink(name.constData());
            ::close(fd);
            return Error{
                Error::Kind::Io,
                QStringLiteral("Impossibile scrivere il file di blocco %1: %2").arg(path, why)};
        }
        return StoreLock(fd, path);
    }
    return inUse(workbookPath);
}

StoreLock::StoreLock(StoreLock&& other) noexcept : fd_(other.fd_), path_(std::move(other.path_)) {
    other.fd_ = -1;
}

StoreLock& StoreLock::operator=(StoreLock&& other) noexcept {
    if (this != &other) {
        release();
        fd_ = other.fd_;
        path_ = std::move(other.path_);
        other.fd_ = -1;
    }
    return *this;
}

StoreLock::~StoreLock() {
    release();
}

void StoreLock::release() {
    if (fd_ < 0)
        return;
    // Removed while still held, so nobody takes over a file that is about to vanish.
    unlink(QFile::encodeName(path_).constData());
    ::close(fd_);
    fd_ = -1;
}

}  // namespace store
