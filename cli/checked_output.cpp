#include "checked_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace cli {
namespace {

QString reasonOf(int error) {
    switch (error) {
        case EPIPE:
            return QStringLiteral("az olvasó fél bezárta a csővezetéket");
        case ENOSPC:
            return QStringLiteral("nincs több hely az eszközön");
        case EBADF:
            return QStringLiteral("a szabványos kimenet nincs megnyitva írásra");
        case EIO:
            return QStringLiteral("bemeneti/kimeneti hiba");
        case 0:
            return QStringLiteral("ismeretlen hiba");
        default:
            return QString::fromLocal8Bit(std::strerror(error));
    }
}

}  // namespace

void guardClosedStandardOutput() {
    if (::fcntl(STDOUT_FILENO, F_GETFD) != -1 || errno != EBADF) {
        return;
    }
    // Read-only: every write to it fails with EBADF, as on the closed one.
    const int placeholder = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (placeholder >= 0 && placeholder != STDOUT_FILENO) {
        ::dup2(placeholder, STDOUT_FILENO);
        ::close(placeholder);
    }
}

std::optional<QString> writeStandardOutput(const QByteArray& bytes) {
    errno = 0;
    const auto size = static_cast<std::size_t>(bytes.size());
    if (std::fwrite(bytes.constData(), 1, size, stdout) != size) {
        return reasonOf(errno);
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        return reasonOf(errno);
    }
    return std::nullopt;
}

QString outputFailure(const QString& reason) {
    return QStringLiteral("efficiency: a kimenet nem írható: %1\n").arg(reason);
}

}  // namespace cli
