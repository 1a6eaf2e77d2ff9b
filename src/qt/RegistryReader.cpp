#include "qt/RegistryReader.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <QSettings>
#include <QStringList>
#endif

namespace gui {

#ifdef Q_OS_WIN

namespace {

// Whether the key exists, asked of its parent: QSettings opens any path, so
// the parent's list of subkeys is what tells a missing key apart.
bool keyExists(const QString& path, QSettings::Format format) {
    const qsizetype cut = path.lastIndexOf(QLatin1Char('\\'));
    if (cut <= 0) {
        return false;
    }
    QSettings parent(path.left(cut), format);
    return parent.childGroups().contains(path.mid(cut + 1), Qt::CaseInsensitive);
}

} // namespace

std::optional<std::string> readLocalMachineString(const std::string& key, const std::string& name) {
    QString path = QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
    while (path.startsWith(QLatin1Char('\\'))) {
        path.remove(0, 1);
    }
    while (path.endsWith(QLatin1Char('\\'))) {
        path.chop(1);
    }
    path.prepend(QStringLiteral("HKEY_LOCAL_MACHINE\\"));
    // The game is a 32-bit program: its keys live in the 32-bit view of the
    // registry; look in the 64-bit view as well.
    for (const QSettings::Format format :
         {QSettings::Registry32Format, QSettings::Registry64Format}) {
        if (!keyExists(path, format)) {
            continue;
        }
        const QSettings settings(path, format);
        const QString value =
            settings.value(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())))
                .toString();
        return value.toUtf8().toStdString();
    }
    return std::nullopt;
}

#else

std::optional<std::string> readLocalMachineString(const std::string&, const std::string&) {
    return std::nullopt;
}

#endif

} // namespace gui
