#include "programfolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStandardPaths>

namespace mzt::ProgramFolder {

QString defaultFolder()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir(base).filePath(QStringLiteral("mingzetong"));
}

QString resolve(const QString& commandLineFolder)
{
    if (!commandLineFolder.isEmpty())
        return QDir(commandLineFolder).absolutePath();
    const QString env = qEnvironmentVariable("MZT_HOME");
    if (!env.isEmpty())
        return QDir(env).absolutePath();
    return defaultFolder();
}

QString prepare(const QString& folder)
{
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral("data")) || !dir.mkpath(QStringLiteral("zcfrf")))
        return QStringLiteral("无法创建程序文件夹:") + folder;
    QDirIterator it(QStringLiteral(":/templates/zcfrf"), QDir::Files);
    while (it.hasNext()) {
        const QString src = it.next();
        const QString dst = dir.filePath(QStringLiteral("zcfrf/") + it.fileName());
        if (QFile::exists(dst))
            continue;
        if (!QFile::copy(src, dst))
            return QStringLiteral("无法复制报表文件:") + dst;
        QFile::setPermissions(dst, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }
    return {};
}

} // namespace mzt::ProgramFolder
